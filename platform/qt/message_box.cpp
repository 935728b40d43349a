// MessageBoxA: a box with its caption, text and one OK button. Without an owner it disables
// nothing: its own loop keeps delivering input, posted messages and timer ticks to every window
// until the box is dismissed.
#include <QMessageBox>
#include <QPointer>

#include "platform/qt/layer.h"

namespace {
constexpr int kIdOk = 1;
}

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    layer::EnsureApplication();
    layer::Window* ownerWindow = layer::FindWindow(owner);
    QPointer<QMessageBox> box = new QMessageBox(ownerWindow ? ownerWindow->widget : nullptr);
    box->setWindowTitle(caption ? layer::FromAnsi(caption) : QStringLiteral("Error"));
    box->setText(layer::FromAnsi(text).replace(QStringLiteral("\r\n"), "\n"));
    box->setTextFormat(Qt::PlainText);
    box->setIcon(QMessageBox::NoIcon);
    box->setStandardButtons(QMessageBox::Ok);
    box->setWindowModality(ownerWindow ? Qt::WindowModal : Qt::NonModal);
    if (type & MB_TOPMOST) box->setWindowFlag(Qt::WindowStaysOnTopHint);
    box->setAttribute(Qt::WA_DeleteOnClose, false);
    box->show();
    while (box && box->isVisible()) layer::PumpMessages(true);
    delete box.data();
    return kIdOk;
}
