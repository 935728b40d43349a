// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows program seen from another Windows process, under Wine.
// usage: wine_probe strings VOCARTA.EXE WORDS.TSV   its string table and icon, as Windows loads them
//        wine_probe frame | click-testing | close   the main window's rectangle (X Y WIDTH HEIGHT),
//                                                   a click on "Тестирование", the close command
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "app/ansi_text.h"
#include "dictionary/dictionary.h"

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

}  // namespace

int main(int argc, char** argv) {
    const std::string request = argc > 1 ? argv[1] : "";
    if (request == "strings" && argc == 4) return CheckStrings(argv[2], argv[3]);
    const HWND window = FindWindowA("Vocarta_2_0", "Vocarta 2.0");
    RECT frame{};
    if (request == "frame" && GetWindowRect(window, &frame))
        std::printf("%ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
    if (request == "click-testing")
        SendMessageA(FindWindowExA(window, nullptr, "Button", Ansi("Тестирование")), BM_CLICK, 0, 0);
    if (request == "close") PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return window ? 0 : 1;
}
