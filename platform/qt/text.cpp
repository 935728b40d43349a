// SPDX-License-Identifier: GPL-3.0-or-later
// Texts cross the layer as Windows-1251 bytes.
//
// The Italian texts of the word list write an accented vowel as the Cyrillic letter whose
// Windows-1251 byte is the vowel's Latin-1 byte: "piщ" for più, "и" for è. Shown, a line that is
// Italian reads with its accents again; typed, an accented letter becomes that same byte, so it
// matches the stored text. Every other text converts letter for letter.
#include <QList>
#include <algorithm>
#include <string_view>

#include "platform/cp1251.h"
#include "platform/qt/layer.h"

namespace layer {
namespace {

bool IsLatinLetter(unsigned char byte) { return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z'); }

bool IsCyrillicLetter(unsigned char byte) {
    return QChar(static_cast<char16_t>(cp1251::ToUnicode(byte))).script() == QChar::Script_Cyrillic;
}

// A line with a Latin letter whose only Cyrillic letters are stand-ins is Italian.
bool IsItalianLine(std::string_view line) {
    const auto otherCyrillic = [](unsigned char byte) {
        return IsCyrillicLetter(byte) && !cp1251::AccentedLetterStoodInBy(byte);
    };
    return std::ranges::any_of(line, IsLatinLetter) && std::ranges::none_of(line, otherCyrillic);
}

}  // namespace

QString FromAnsi(const char* text) { return text ? FromAnsi(std::string(text)) : QString(); }

QString FromAnsi(const std::string& text) {
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t lineBreak = text.find_first_of("\r\n", start);
        const std::size_t end = lineBreak == std::string::npos ? text.size() : lineBreak + 1;
        const std::string_view line = std::string_view(text).substr(start, end - start);
        const bool italian = IsItalianLine(line);
        for (unsigned char byte : line) {
            const char16_t accented = italian ? cp1251::AccentedLetterStoodInBy(byte) : 0;
            result.append(QChar(accented ? accented : static_cast<char16_t>(cp1251::ToUnicode(byte))));
        }
        start = end;
    }
    return result;
}

std::string ToAnsi(const QString& text) {
    std::string result;
    result.reserve(static_cast<std::size_t>(text.size()));
    for (char32_t codePoint : text.toUcs4()) {
        int byte = cp1251::FromUnicode(codePoint);
        const auto latin1 = static_cast<unsigned char>(codePoint);
        if (byte < 0 && codePoint == latin1 && cp1251::AccentedLetterStoodInBy(latin1)) byte = latin1;
        result.push_back(byte < 0 ? '?' : static_cast<char>(byte));
    }
    return result;
}

}  // namespace layer
