// SPDX-License-Identifier: GPL-3.0-or-later
// The program on the accessibility bus (AT-SPI) before its first window shows.
// Qt's bridge joins that bus in the background, and only once the bus runs, which Qt does not start
// itself. Until then a screen reader could see the window but not one of its controls, and a press
// it made went nowhere. So the bus is started here where it does not run yet, as GTK programs do,
// and where assistive technology is on, the start waits until Qt's bridge has joined.
#include <QAccessible>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusArgument>
#include <QDeadlineTimer>
#include <QCoreApplication>
#include <QTimer>

#include "platform/qt/layer.h"

namespace layer {
namespace {

constexpr int kLongestWait = 3000;  // ms, for the question and for the wait; joining takes far less

// Whether Qt's bridge will join: where assistive technology is on, or the user has it joined
// always (QT_LINUX_ACCESSIBILITY_ALWAYS_ON). Asking the bus's launcher starts it (by D-Bus
// activation) where it does not run yet.
bool BridgeWillJoin() {
    auto ask = QDBusMessage::createMethodCall("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties",
                                              "GetAll");
    ask.setArguments({QStringLiteral("org.a11y.Status")});
    const QDBusMessage reply = QDBusConnection::sessionBus().call(ask, QDBus::Block, kLongestWait);
    if (reply.type() != QDBusMessage::ReplyMessage) return false;
    const auto status = qdbus_cast<QVariantMap>(reply.arguments().value(0));
    return qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON") || status.value("IsEnabled").toBool() ||
           status.value("ScreenReaderEnabled").toBool();
}

}  // namespace

void JoinAccessibilityBus() {
    if (!OnDesktop() || !BridgeWillJoin()) return;
    const QDeadlineTimer deadline(kLongestWait);
    QTimer wake;  // so that the wait ends at the deadline, whatever else comes
    wake.start(50);
    while (!QAccessible::isActive() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace layer
