// The Windows program seen from another Windows process, under Wine.
// usage: wine_probe strings VOCARTA.EXE WORDS.TSV   the string table and the icon as Windows loads
//                                                   them, against the word list
//        wine_probe frame                           prints the main window's rectangle: X Y WIDTH HEIGHT
//        wine_probe click-testing                   clicks the main menu's "Тестирование"
//        wine_probe close                           the caption's close command
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "app/ansi_text.h"
#include "dictionary/dictionary.h"

namespace {

int Failed = 0;

void Check(bool condition, const std::string& what) {
    if (!condition && ++Failed <= 10) std::printf("FAILED: %s\n", what.c_str());
}

std::string Loaded(HMODULE module, UINT id) {
    char buffer[1024];
    const int length = LoadStringA(module, id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

int CheckStrings(const char* program, const char* words) {
    HMODULE module = LoadLibraryExA(program, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    std::ifstream list(words, std::ios::binary);
    if (!module || !list) return 2;
    Check(GetACP() == 1251, "the ANSI code page is 1251, not " + std::to_string(GetACP()));
    Check(FindResourceExA(module, RT_STRING, MAKEINTRESOURCEA(1), MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT)),
          "the string table is in Russian");
    std::string line;
    WordIndex index = 0;
    while (std::getline(list, line)) {
        const auto tab = line.find('\t'), second = line.find('\t', tab + 1);
        ++index;
        Check(Loaded(module, index) == cp1251::FromUtf8(line.substr(tab + 1, second - tab - 1)), line);
        Check(Loaded(module, kItalianBase + index) == cp1251::FromUtf8(line.substr(second + 1)), line);
    }
    Check(index == kWordCount, "words.tsv has every pair");
    for (UINT absent : {0u, kWordCount + 1u, kItalianBase, kItalianBase + kWordCount + 1})
        Check(Loaded(module, absent).empty(), "no string " + std::to_string(absent));
    // The group icon LEV1: one 32 x 32 image of 256 colours (written as 0 colours).
    const HRSRC group = FindResourceA(module, "LEV1", RT_GROUP_ICON);
    const auto* directory = group ? static_cast<const BYTE*>(LockResource(LoadResource(module, group))) : nullptr;
    Check(directory && directory[4] == 1 && directory[6] == 32 && directory[7] == 32 && directory[8] == 0 &&
              directory[12] == 8,
          "the icon LEV1 is one 32 x 32 image of 256 colours");
    std::printf("%d pairs; %d failed\n", index, Failed);
    return Failed == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string request = argc > 1 ? argv[1] : "";
    if (request == "strings" && argc == 4) return CheckStrings(argv[2], argv[3]);
    const HWND window = FindWindowA("Vocarta_2_0", "Vocarta 2.0");
    if (!window) return 1;
    if (request == "frame") {
        RECT frame;
        GetWindowRect(window, &frame);
        std::printf("%ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
        return 0;
    }
    if (request == "click-testing") {
        const HWND button = FindWindowExA(window, nullptr, "Button", Ansi("Тестирование"));
        return button && SendMessageA(button, BM_CLICK, 0, 0) == 0 ? 0 : 1;
    }
    if (request == "close") return PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
    std::fprintf(stderr, "usage: wine_probe strings VOCARTA.EXE WORDS.TSV | frame | click-testing | close\n");
    return 2;
}
