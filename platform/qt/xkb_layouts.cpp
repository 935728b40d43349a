// SPDX-License-Identifier: GPL-3.0-or-later
// The layouts the program types in itself, where the desktop's layout cannot be switched: XKB's
// layouts of those names, the same the desktop would use, compiled by libxkbcommon from the
// system's XKB data. The XKB_DEFAULT_* variables, which could add a variant, are not read.
#include <xkbcommon/xkbcommon.h>

#include <map>
#include <memory>
#include <string>

#include "platform/qt/layer.h"

namespace layer {
namespace {

struct KeymapFree {
    void operator()(xkb_keymap* keymap) const { xkb_keymap_unref(keymap); }
};
struct StateFree {
    void operator()(xkb_state* state) const { xkb_state_unref(state); }
};
using Keymap = std::unique_ptr<xkb_keymap, KeymapFree>;

// Compiled once for each layout name; 0 where the name is unknown or the data is missing.
xkb_keymap* CompiledLayout(const char* layout) {
    static xkb_context* const context = xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES);
    static std::map<std::string, Keymap> compiled;
    if (!context || !layout) return nullptr;
    auto found = compiled.find(layout);
    if (found == compiled.end()) {
        const xkb_rule_names names{"evdev", "pc105", layout, "", ""};
        found = compiled.emplace(layout, xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS))
                    .first;
    }
    return found->second.get();
}

xkb_mod_mask_t MaskOf(xkb_keymap* keymap, const char* modifier) {
    const xkb_mod_index_t index = xkb_keymap_mod_get_index(keymap, modifier);
    return index == XKB_MOD_INVALID ? 0 : xkb_mod_mask_t{1} << index;
}

}  // namespace

bool LayoutCompiles(const char* layout) { return CompiledLayout(layout) != nullptr; }

QString LayoutKeyText(const char* layout, unsigned keyCode, bool shift, bool capsLock) {
    xkb_keymap* keymap = CompiledLayout(layout);
    if (!keymap) return {};
    const std::unique_ptr<xkb_state, StateFree> state(xkb_state_new(keymap));
    if (!state) return {};
    xkb_state_update_mask(state.get(), shift ? MaskOf(keymap, XKB_MOD_NAME_SHIFT) : 0, 0,
                          capsLock ? MaskOf(keymap, XKB_MOD_NAME_CAPS) : 0, 0, 0, 0);
    const char32_t character = xkb_state_key_get_utf32(state.get(), keyCode);
    if (character < 0x20 || character == 0x7F) return {};  // none, or a control character (Enter, Tab)
    return QString::fromUcs4(&character, 1);
}

}  // namespace layer
