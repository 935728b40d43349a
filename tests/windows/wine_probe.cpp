// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows program seen from another Windows process, under Wine.
// usage: wine_probe strings VOCARTA.EXE WORDS.TSV   its string table and icon, as Windows loads them
//        wine_probe frame | close                   the main window's rectangle (X Y WIDTH HEIGHT),
//                                                   the close command
//        wine_probe click TEXT                      a click on the button with that text
//        wine_probe answer                          the answer field's text, if given within 5 s
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "dictionary/dictionary.h"
#include "platform/cp1251.h"

namespace {

std::string Loaded(HMODULE module, UINT id) {
    char buffer[1024];
    return std::string(buffer, std::max(LoadStringA(module, id, buffer, sizeof buffer), 0));
}

int CheckStrings(const char* program, const char* words) {
    const HMODULE module = LoadLibraryExA(program, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    std::ifstream list(words, std::ios::binary);
    int index = 0, wrong = 0;
    for (std::string line; module && std::getline(list, line);) {
        const auto tab = line.find('\t'), second = line.find('\t', tab + 1);
        ++index;
        wrong += Loaded(module, index) != cp1251::FromUtf8(line.substr(tab + 1, second - tab - 1));
        wrong += Loaded(module, kItalianBase + index) != cp1251::FromUtf8(line.substr(second + 1));
    }
    for (UINT absent : {0u, kWordCount + 1u, kItalianBase, kItalianBase + kWordCount + 1})
        wrong += !Loaded(module, absent).empty();
    // The group icon LEV1: one image of 32 x 32 pixels and 256 colours (written as 0 colours).
    const HRSRC group = FindResourceA(module, "LEV1", RT_GROUP_ICON);
    const auto* icon = group ? static_cast<const BYTE*>(LockResource(LoadResource(module, group))) : nullptr;
    const bool iconRight = icon && icon[4] == 1 && icon[6] == 32 && icon[7] == 32 && icon[8] == 0 && icon[12] == 8;
    const bool russian = FindResourceExA(module, RT_STRING, MAKEINTRESOURCEA(1), MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT));
    std::printf("code page %u, %d pairs, %d wrong strings, %s table, icon %s\n", GetACP(), index, wrong,
                russian ? "Russian" : "no Russian", iconRight ? "right" : "wrong");
    return GetACP() == 1251 && index == kWordCount && wrong == 0 && russian && iconRight ? 0 : 1;
}

// The button with that text, also inside group boxes.
HWND ButtonIn(HWND parent, const char* text) {
    HWND found = FindWindowExA(parent, nullptr, nullptr, text);
    for (HWND child = nullptr; !found && (child = FindWindowExA(parent, child, nullptr, nullptr));)
        found = ButtonIn(child, text);
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string request = argc > 1 ? argv[1] : "";
    if (request == "strings" && argc == 4) return CheckStrings(argv[2], argv[3]);
    const HWND window = FindWindowA("Vocarta_2_0", "Vocarta 2.0");
    RECT frame{};
    if (request == "frame" && GetWindowRect(window, &frame))
        std::printf("%ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
    const HWND button = request == "click" && argc == 3 ? ButtonIn(window, argv[2]) : nullptr;
    if (button) SendMessageA(button, BM_CLICK, 0, 0);
    char answer[256] = "";
    if (request == "answer" && SendMessageTimeoutA(FindWindowExA(window, nullptr, "Edit", nullptr), WM_GETTEXT, sizeof answer,
                                                   reinterpret_cast<LPARAM>(answer), SMTO_ABORTIFHUNG, 5000, nullptr))
        std::printf("%s\n", answer);
    if (request == "close") PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return window && (request != "click" || button) ? 0 : 1;
}
