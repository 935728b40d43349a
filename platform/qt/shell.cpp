// SPDX-License-Identifier: GPL-3.0-or-later
// shell32: "open" hands an address to whatever the desktop has for it (mail program, browser).
#include <QDesktopServices>
#include <QUrl>
#include <cstring>

#include "platform/qt/layer.h"

namespace {
// ShellExecute's results: above 32 on success; SE_ERR_NOASSOC when nothing handles the address.
constexpr UINT_PTR kSuccess = 33;
constexpr UINT_PTR kNoAssociation = 31;
}  // namespace

HINSTANCE WINAPI ShellExecuteA(HWND, LPCSTR operation, LPCSTR file, LPCSTR, LPCSTR, int) {
    if (!file || (operation && std::strcmp(operation, "open") != 0)) return reinterpret_cast<HINSTANCE>(kNoAssociation);
    layer::EnsureApplication();
    const bool opened = QDesktopServices::openUrl(QUrl(layer::FromAnsi(file)));
    return reinterpret_cast<HINSTANCE>(opened ? kSuccess : kNoAssociation);
}
