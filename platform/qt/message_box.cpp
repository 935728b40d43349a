// SPDX-License-Identifier: GPL-3.0-or-later
// MessageBoxA: a box with its caption, text and one button, "ОК". Without an owner it disables
// nothing: its own loop keeps delivering input, posted messages and timer ticks to every window
// until the box is dismissed.
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSpacerItem>

#include "platform/qt/layer.h"

namespace {

constexpr int kIdOk = 1;
// Room beside the caption for the title bar's icon and close box.
constexpr int kTitleBarExtra = 90;
// Each box runs its loop inside the loop of the box beneath it (Enter pressed again and again under
// a wrong-answer box): past this depth a box is refused, before the stack runs out.
constexpr int kMostOpenBoxes = 16;
int OpenBoxes = 0;  // boxes whose MessageBoxA has not returned yet

// A Win32 message box's title bar: its caption and the close box, neither minimize nor maximize box.
constexpr Qt::WindowFlags kBoxFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                      Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// One plain button, without an icon, reading "ОК" as on a Russian Windows; Enter and Esc press it.
void AddOkButton(QMessageBox& box) {
    QPushButton* ok = box.addButton(QStringLiteral("ОК"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
}

// Like a Win32 message box, the box is at least as wide as its caption.
void FitCaption(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    const int width = QFontMetrics(box.font()).horizontalAdvance(box.windowTitle()) + kTitleBarExtra;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

}  // namespace

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    if (OpenBoxes > kMostOpenBoxes) return 0;  // as a box that could not be created
    layer::EnsureApplication();
    layer::Window* ownerWindow = layer::FindWindow(owner);
    QPointer<QMessageBox> box = new QMessageBox(ownerWindow ? ownerWindow->widget : nullptr);
    box->setWindowTitle(caption ? layer::FromAnsi(caption) : QStringLiteral("Error"));
    box->setText(layer::FromAnsi(text).replace(QStringLiteral("\r\n"), "\n"));
    box->setTextFormat(Qt::PlainText);
    box->setIcon(QMessageBox::NoIcon);
    AddOkButton(*box);
    box->setWindowModality(ownerWindow ? Qt::WindowModal : Qt::NonModal);
    box->setWindowFlags(kBoxFlags | (type & MB_TOPMOST ? Qt::WindowStaysOnTopHint : Qt::Widget));
    FitCaption(*box);
    box->setAttribute(Qt::WA_DeleteOnClose, false);
    box->show();
    ++OpenBoxes;
    while (box && box->isVisible()) layer::PumpMessages(true);
    --OpenBoxes;
    delete box.data();
    return kIdOk;
}
