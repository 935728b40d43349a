// Looks at Vocarta's main window from another Windows process, for the Wine test: the window is
// found by its Win32 class and title, which the X side does not show.
// usage: window_probe frame         prints "LEFT TOP WIDTH HEIGHT" of the window rectangle
//        window_probe client        prints "LEFT TOP WIDTH HEIGHT" of the client area, on the screen
//        window_probe close-button  prints "X Y", a screen point on the caption's close button
// Exits with 1 where there is no such window (or no close button).
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: window_probe frame|client|close-button\n");
        return 2;
    }
    HWND window = FindWindowA("Vocarta_2_0", "Vocarta 2.0");
    if (!window || !IsWindowVisible(window)) return 1;
    RECT frame;
    GetWindowRect(window, &frame);
    if (std::strcmp(argv[1], "frame") == 0) {
        std::printf("%ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
        return 0;
    }
    if (std::strcmp(argv[1], "client") == 0) {
        RECT client;
        GetClientRect(window, &client);
        POINT origin = {0, 0};
        ClientToScreen(window, &origin);
        std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
        return 0;
    }
    if (std::strcmp(argv[1], "close-button") == 0) {
        // Along the middle of the caption, from the right, the first point the window itself
        // reports as its close button.
        POINT client = {0, 0};
        ClientToScreen(window, &client);
        const LONG y = (frame.top + client.y) / 2;
        for (LONG x = frame.right - 1; x > frame.left; --x) {
            const LRESULT hit = SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y));
            if (hit == HTCLOSE) {
                // The middle of the button: step on to its left edge and back halfway.
                LONG left = x;
                while (left > frame.left && SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(left - 1, y)) == HTCLOSE)
                    --left;
                std::printf("%ld %ld\n", (left + x) / 2, y);
                return 0;
            }
        }
        return 1;
    }
    std::fprintf(stderr, "window_probe: unknown request %s\n", argv[1]);
    return 2;
}
