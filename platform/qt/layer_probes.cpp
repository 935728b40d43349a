// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/layer_probes.h"

#include "platform/qt/layer.h"

namespace layer {

QWidget* WidgetOf(HWND handle) {
    Window* window = FindWindow(handle);
    return window ? window->widget : nullptr;
}

LONG_PTR ControlId(HWND handle) {
    Window* window = FindWindow(handle);
    return window ? window->id : 0;
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    for (Window* window : AllWindows())
        if (window->parent == parent) children.push_back(window->handle);
    return children;
}

std::size_t LiveWindowCount() { return AllWindows().size(); }

}  // namespace layer
