// SPDX-License-Identifier: GPL-3.0-or-later
// CreateFontA on QFont. Heights follow GDI: negative is the character (em) height in pixels,
// positive the cell height (ascent plus descent), 0 the face's default size. A width, the average
// character width, stretches the face to it; 0 keeps the face's own proportions.
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <map>

#include "platform/qt/layer.h"
#include "platform/qt/layer_probes.h"

namespace layer {
namespace {

// MS Sans Serif's default size: 8 points at 96 dpi, a 13-pixel cell.
constexpr int kDefaultCellHeight = 13;

std::map<HFONT, QFont> Fonts;

// Faces metrically close to Windows' MS Sans Serif, where the face itself is missing.
const char* const kSansSerifStandIns[] = {"Microsoft Sans Serif", "Liberation Sans", "Arimo", "Nimbus Sans"};

QString FamilyFor(const QString& face) {
    if (!face.isEmpty() && QFontDatabase::hasFamily(face)) return face;
    if (face.compare(QStringLiteral("MS Sans Serif"), Qt::CaseInsensitive) == 0)
        for (const char* standIn : kSansSerifStandIns)
            if (QFontDatabase::hasFamily(standIn)) return standIn;
    QFont desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont);  // the desktop's sans-serif
    desktop.setStyleHint(QFont::SansSerif);
    return QFontInfo(desktop).family();
}

// The largest pixel size whose line (ascent plus descent) fits the cell height.
int PixelSizeForCell(QFont font, int cellHeight) {
    for (int size = cellHeight; size > 1; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() <= cellHeight) return size;
    }
    return 1;
}

}  // namespace

bool FindFont(HFONT handle, QFont& font) {
    auto found = Fonts.find(handle);
    if (found == Fonts.end()) return false;
    font = found->second;
    return true;
}

std::size_t LiveFontCount() { return Fonts.size(); }

}  // namespace layer

using namespace layer;

HFONT WINAPI CreateFontA(int height, int width, int, int, int weight, DWORD italic, DWORD underline, DWORD strikeOut,
                         DWORD, DWORD, DWORD, DWORD, DWORD, LPCSTR faceName) {
    EnsureApplication();
    QFont font;
    font.setFamily(FamilyFor(FromAnsi(faceName)));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(static_cast<QFont::Weight>(weight <= 0 ? 400 : std::min(weight, 1000)));
    font.setItalic(italic != 0);
    font.setUnderline(underline != 0);
    font.setStrikeOut(strikeOut != 0);
    if (height < 0)
        font.setPixelSize(-height);
    else
        font.setPixelSize(PixelSizeForCell(font, height > 0 ? height : kDefaultCellHeight));
    if (width > 0) {  // Qt stretches by 1 % to 4000 %
        const int average = std::max(QFontMetrics(font).averageCharWidth(), 1);
        font.setStretch(std::clamp(std::min(width, 100000) * 100 / average, 1, 4000));
    }
    const auto handle = reinterpret_cast<HFONT>(NewHandleValue());
    Fonts[handle] = font;
    return handle;
}

BOOL WINAPI DeleteObject(HGDIOBJ object) { return Fonts.erase(static_cast<HFONT>(object)) ? TRUE : FALSE; }
