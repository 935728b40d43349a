// SPDX-License-Identifier: GPL-3.0-or-later
// The string table and the icon compiled into the binary, and the system cursor.
#include <QIcon>
#include <algorithm>
#include <cstring>
#include <map>

#include "platform/qt/layer.h"
#include "platform/qt/resources.h"

namespace layer {
namespace {

std::map<HICON, QIcon> Icons;
HICON ProgramIcon = nullptr;
HCURSOR ArrowCursor = nullptr;

bool SameNameIgnoringCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b)
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b))) return false;
    return *a == *b;
}

bool IsIntegerResource(LPCSTR name) { return reinterpret_cast<UINT_PTR>(name) <= 0xFFFF; }

const StringEntry* FindString(UINT id) {
    const StringEntry* end = kStringTable + kStringTableSize;
    const StringEntry* found =
        std::lower_bound(kStringTable, end, id, [](const StringEntry& entry, UINT key) { return entry.id < key; });
    return (found != end && found->id == id) ? found : nullptr;
}

}  // namespace

bool FindIcon(HICON handle, QIcon& icon) {
    auto found = Icons.find(handle);
    if (found == Icons.end()) return false;
    icon = found->second;
    return true;
}

}  // namespace layer

using namespace layer;

int WINAPI LoadStringA(HINSTANCE, UINT id, LPSTR buffer, int bufferSize) {
    if (!buffer || bufferSize <= 0) return 0;
    const StringEntry* entry = FindString(id);
    const std::string text = entry ? entry->text : "";
    const std::size_t count = std::min(text.size(), static_cast<std::size_t>(bufferSize - 1));
    text.copy(buffer, count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}

// The executable holds one icon, the group icon "LEV1".
HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
    if (!instance || !name || IsIntegerResource(name) || !SameNameIgnoringCase(name, "LEV1")) return nullptr;
    if (!ProgramIcon) {
        EnsureApplication();
        ProgramIcon = reinterpret_cast<HICON>(NewHandleValue());
        Icons[ProgramIcon] = QIcon(QStringLiteral(":/vocarta/lev1.ico"));
    }
    return ProgramIcon;
}

// The system's cursors; the program asks only for the arrow, which is also Qt's default.
HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
    if (instance || name != IDC_ARROW) return nullptr;
    if (!ArrowCursor) ArrowCursor = reinterpret_cast<HCURSOR>(NewHandleValue());
    return ArrowCursor;
}
