// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows-1251 code page (Cyrillic), both ways, and UTF-8 text turned into it. Plain
// constexpr C++: the program's literals are converted at compile time, the word list when the
// program is built, and the Qt layer's texts at run time.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cp1251 {

// Bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order. 0x98 is unassigned and kept as U+0098
// so that every byte survives a round trip.
inline constexpr char16_t kHighRange[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

inline constexpr char32_t kInvalid = 0xFFFD;

constexpr char32_t ToUnicode(unsigned char byte) {
    if (byte < 0x80) return byte;
    if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);
    return kHighRange[byte - 0x80];
}

// The Windows-1251 byte of a code point, or -1 where the code page has none.
constexpr int FromUnicode(char32_t codePoint) {
    if (codePoint < 0x80) return static_cast<int>(codePoint);
    if (codePoint >= 0x0410 && codePoint <= 0x044F) return static_cast<int>(0xC0 + (codePoint - 0x0410));
    for (int i = 0; i < 64; ++i)
        if (kHighRange[i] == codePoint) return 0x80 + i;
    return -1;
}

// The Italian texts of the word list write an accented vowel (and þ) as the Cyrillic letter whose
// byte is the Latin-1 byte of that letter: "щ" (0xF9) for ù, "и" (0xE8) for è. The letter that a
// byte stands for there, or 0 where it stands for none.
inline constexpr char16_t kStoodInLetters[] = u"ÀÁÂÃÄÅÈÉÊËÌÍÎÏÒÓÔÕÖÙÚÛÜÞàáâãäåèéêëìíîïòóôõöùúûüþ";

constexpr char16_t AccentedLetterStoodInBy(unsigned char byte) {
    for (char16_t letter : kStoodInLetters)
        if (letter == byte) return letter;
    return 0;
}

// The letter that a character of an Italian text of the word list is: the accented letter where it
// is a stand-in, else the character itself.
constexpr char32_t ItalianLetter(char32_t codePoint) {
    if (codePoint < 0x0410 || codePoint > 0x044F) return codePoint;
    const char16_t accented = AccentedLetterStoodInBy(static_cast<unsigned char>(FromUnicode(codePoint)));
    return accented ? accented : codePoint;
}

// Decodes one UTF-8 sequence starting at text[pos] and advances pos past it.
// Malformed input yields kInvalid and skips one byte.
constexpr char32_t DecodeUtf8(const char* text, std::size_t length, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80) return lead;
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || pos + extra > length) return kInvalid;
    char32_t value = lead & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) return kInvalid;
        value = (value << 6) | (next & 0x3F);
    }
    pos += extra;
    return value;
}

// Writes the Windows-1251 bytes of a UTF-8 text to out, which has room for length bytes, and
// returns how many it wrote. A character the code page lacks becomes '?' and clears complete.
constexpr std::size_t FromUtf8(const char* utf8, std::size_t length, char* out, bool& complete) {
    std::size_t written = 0;
    complete = true;
    for (std::size_t pos = 0; pos < length;) {
        const int byte = FromUnicode(DecodeUtf8(utf8, length, pos));
        complete = complete && byte >= 0;
        out[written++] = byte < 0 ? '?' : static_cast<char>(byte);
    }
    return written;
}

inline std::string FromUtf8(std::string_view utf8, bool& complete) {
    std::string bytes(utf8.size(), '\0');
    bytes.resize(FromUtf8(utf8.data(), utf8.size(), bytes.data(), complete));
    return bytes;
}

inline std::string FromUtf8(std::string_view utf8) {
    bool complete;
    return FromUtf8(utf8, complete);
}

}  // namespace cp1251
