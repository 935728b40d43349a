// Reads the resources back out of the built vocarta.exe the way Windows loads them and compares
// them with the word list: every Russian text under its index and every Italian one under
// 10000 + index, both as UTF-16 (LoadStringW) and in the ANSI code page, which must be
// Windows-1251 (LoadStringA); the table's language; the icon. Runs under Wine.
// usage: string_table_check vocarta.exe words.tsv
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/cp1251.h"

namespace {

constexpr UINT kItalianBase = 10000;
constexpr int kWordCount = 5285;
constexpr int kReportedFailures = 10;

int Passed = 0;
int Failed = 0;

void Check(bool condition, const std::string& what) {
    if (condition) {
        ++Passed;
        return;
    }
    if (++Failed <= kReportedFailures) std::printf("FAILED: %s\n", what.c_str());
}

std::wstring Utf16OfUtf8(const std::string& utf8) {
    std::wstring result;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t c = cp1251::DecodeUtf8(utf8.data(), utf8.size(), pos);
        if (c < 0x10000) {
            result.push_back(static_cast<wchar_t>(c));
        } else {
            result.push_back(static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10)));
            result.push_back(static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        }
    }
    return result;
}

// The text in Windows-1251; false where a character has no place in it.
bool AnsiOfUtf8(const std::string& utf8, std::string& ansi) {
    ansi.clear();
    for (std::size_t pos = 0; pos < utf8.size();) {
        const int byte = cp1251::FromUnicode(cp1251::DecodeUtf8(utf8.data(), utf8.size(), pos));
        if (byte < 0) return false;
        ansi.push_back(static_cast<char>(byte));
    }
    return true;
}

// The stored text itself: with a zero buffer size LoadStringW hands out a pointer into the resource.
bool StoredText(HMODULE module, UINT id, std::wstring& text) {
    const wchar_t* stored = nullptr;
    const int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&stored), 0);
    if (length <= 0 || !stored) return false;
    text.assign(stored, static_cast<std::size_t>(length));
    return true;
}

std::string AnsiText(HMODULE module, UINT id) {
    char buffer[4096];
    const int length = LoadStringA(module, id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

void CheckEntry(HMODULE module, UINT id, const std::string& utf8) {
    const std::string name = "string " + std::to_string(id);
    std::wstring stored;
    Check(StoredText(module, id, stored) && stored == Utf16OfUtf8(utf8), name + " as UTF-16");
    std::string ansi;
    const bool representable = AnsiOfUtf8(utf8, ansi);
    Check(representable, name + " is written in Windows-1251 characters");
    if (representable) Check(AnsiText(module, id) == ansi, name + " in the ANSI code page");
}

struct IconDirectoryEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD id;
} __attribute__((packed));

void CheckIcon(HMODULE module) {
    HRSRC group = FindResourceA(module, "LEV1", MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    Check(group != nullptr, "the group icon LEV1 exists");
    if (!group) return;
    const auto* header = static_cast<const WORD*>(LockResource(LoadResource(module, group)));
    Check(header && header[1] == 1 && header[2] == 1, "LEV1 is an icon group of one image");
    if (!header || header[2] < 1) return;
    const auto* entry = reinterpret_cast<const IconDirectoryEntry*>(header + 3);
    // 256 colours are written as 0 in the directory.
    Check(entry->width == 32 && entry->height == 32 && entry->colourCount == 0 && entry->bitCount == 8,
          "the image is 32x32 with 256 colours");
    Check(FindResourceA(module, MAKEINTRESOURCEA(entry->id), MAKEINTRESOURCEA(3)) != nullptr,  // RT_ICON
          "the group's image is in the file");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: string_table_check vocarta.exe words.tsv\n");
        return 2;
    }
    HMODULE module = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) {
        std::fprintf(stderr, "%s: cannot load (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    std::ifstream input(argv[2], std::ios::binary);
    if (!input) {
        std::fprintf(stderr, "%s: cannot open\n", argv[2]);
        return 1;
    }

    Check(GetACP() == 1251, "the ANSI code page is 1251 (it is " + std::to_string(GetACP()) + ")");
    // String ids 1..16 form the first block of the table.
    Check(FindResourceExA(module, MAKEINTRESOURCEA(6), MAKEINTRESOURCEA(1),
                          MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT)) != nullptr,
          "the string table is in Russian");

    std::string line;
    int lines = 0;
    while (std::getline(input, line)) {
        const auto tab1 = line.find('\t');
        const auto tab2 = line.find('\t', tab1 + 1);
        if (tab1 == std::string::npos || tab2 == std::string::npos) {
            Check(false, "words.tsv line " + std::to_string(lines + 1) + " has three fields");
            continue;
        }
        ++lines;
        const UINT index = static_cast<UINT>(std::stoul(line.substr(0, tab1)));
        CheckEntry(module, index, line.substr(tab1 + 1, tab2 - tab1 - 1));
        CheckEntry(module, kItalianBase + index, line.substr(tab2 + 1));
    }
    Check(lines == kWordCount, "words.tsv has " + std::to_string(kWordCount) + " lines");
    std::wstring stored;
    for (UINT absent : {0u, 5286u, kItalianBase, kItalianBase + kWordCount + 1})
        Check(!StoredText(module, absent, stored), "no string " + std::to_string(absent));

    CheckIcon(module);
    FreeLibrary(module);
    std::printf("%d passed, %d failed\n", Passed, Failed);
    return Failed == 0 ? 0 : 1;
}
