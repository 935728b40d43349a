// Texts cross the layer as Windows-1251 bytes.
#include <QList>
#include "platform/cp1251.h"
#include "platform/qt/layer.h"

namespace layer {

QString FromAnsi(const char* text) { return text ? FromAnsi(std::string(text)) : QString(); }

QString FromAnsi(const std::string& text) {
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    for (unsigned char byte : text) result.append(QChar(static_cast<char16_t>(cp1251::ToUnicode(byte))));
    return result;
}

std::string ToAnsi(const QString& text) {
    std::string result;
    result.reserve(static_cast<std::size_t>(text.size()));
    for (char32_t codePoint : text.toUcs4()) {
        const int byte = cp1251::FromUnicode(codePoint);
        result.push_back(byte < 0 ? '?' : static_cast<char>(byte));
    }
    return result;
}

}  // namespace layer
