// The test-facing view of the layer's records.
#include "platform/qt/inspect.h"

#include "platform/qt/layer.h"

namespace layer {

QWidget* WidgetOf(HWND handle) {
    Window* window = FindWindow(handle);
    return window ? window->widget : nullptr;
}

bool IsWindowHandle(HWND handle) { return FindWindow(handle) != nullptr; }

bool GetWindowInfo(HWND handle, WindowInfo& info) {
    Window* window = FindWindow(handle);
    if (!window) return false;
    info = WindowInfo{window->className, window->style, window->exStyle, window->parent,
                      window->id,        window->font,  window->text};
    return true;
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    for (Window* window : AllWindows())
        if (window->parent == parent) children.push_back(window->handle);
    return children;
}

std::size_t LiveWindowCount() { return AllWindows().size(); }

}  // namespace layer
