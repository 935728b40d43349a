// SPDX-License-Identifier: GPL-3.0-or-later
// kernel32: module handle, the single-instance mutex, the system time, the code page, the process's end,
// and the check at the process's start that there is a display.
//
// A named mutex is an exclusive flock on a per-user lock file. The kernel drops the lock when the
// process ends, however it ends, so a crashed or killed instance never blocks the next start.
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <string>
#include <thread>

#include "platform/qt/command_line.h"
#include "platform/qt/layer.h"

// Xlib's macros clash with Qt's names, so Xlib comes last.
#include <X11/Xlib.h>

namespace {

std::map<HANDLE, int> LockFiles;  // mutex handle -> descriptor

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Whether the folder is one only this user can reach; it is created (0700) where it is missing.
bool MakePrivateDirectory(const std::string& path) {
    if (path.empty() || path[0] != '/') return false;
    mkdir(path.c_str(), 0700);
    struct stat status {};
    return lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == geteuid() &&
           (status.st_mode & 077) == 0;
}

std::string CacheDirectory() {
    if (const std::string cache = Environment("XDG_CACHE_HOME"); !cache.empty() && cache[0] == '/') return cache;
    std::string home = Environment("HOME");
    if (home.empty())
        if (const passwd* user = getpwuid(geteuid())) home = user->pw_dir ? user->pw_dir : "";
    return home.empty() || home[0] != '/' ? std::string() : home + "/.cache";
}

// The lock's folder, decided alike by every copy of one user in one login, whichever starts first:
// $XDG_RUNTIME_DIR (created where it is set but missing, as the desktop would, before Qt creates
// it under a copy that already locked elsewhere); else $TMPDIR (or /tmp)/vocarta-UID; else, where
// another user took that name first, the cache folder's vocarta/. "" when none is private.
std::string LockDirectory() {
    if (const std::string runtime = Environment("XDG_RUNTIME_DIR"); MakePrivateDirectory(runtime)) return runtime;
    const std::string temporary = Environment("TMPDIR").empty() ? "/tmp" : Environment("TMPDIR");
    if (const std::string own = temporary + "/vocarta-" + std::to_string(geteuid()); MakePrivateDirectory(own))
        return own;
    const std::string cache = CacheDirectory();
    if (cache.empty()) return {};  // not "/vocarta" at the root
    mkdir(cache.c_str(), 0700);
    const std::string own = cache + "/vocarta";
    return MakePrivateDirectory(own) ? own : std::string();
}

std::string SafeName(const char* name) {
    std::string result;
    for (const char* c = name; *c; ++c)
        result.push_back((std::isalnum(static_cast<unsigned char>(*c)) || *c == '-' || *c == '_') ? *c : '_');
    return result;
}

int OpenLockFile(const char* name) {
    if (!name || !*name) return -1;
    const std::string directory = LockDirectory();
    if (directory.empty()) {
        std::fputs("vocarta: no private folder for the lock file, so a second copy could start too\n", stderr);
        return -1;
    }
    const std::string path = directory + "/" + SafeName(name) + ".lock";
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != geteuid()) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) {
    // The executable's own module; there are no others.
    return moduleName ? nullptr : reinterpret_cast<HMODULE>(0x400000);
}

// The program's first call: the display is checked before the lock is taken.
HANDLE WINAPI CreateMutexA(LPSECURITY_ATTRIBUTES, BOOL, LPCSTR name) {
    layer::CheckDisplay();
    const int fd = OpenLockFile(name);
    if (fd < 0) return nullptr;
    const auto handle = reinterpret_cast<HANDLE>(layer::NewHandleValue());
    LockFiles[handle] = fd;
    return handle;
}

DWORD WINAPI WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
    auto found = LockFiles.find(handle);
    if (found == LockFiles.end()) return WAIT_FAILED;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        if (flock(found->second, LOCK_EX | LOCK_NB) == 0) return WAIT_OBJECT_0;
        if (errno != EWOULDBLOCK && errno != EINTR) return WAIT_FAILED;
        if (std::chrono::steady_clock::now() >= deadline) return WAIT_TIMEOUT;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void WINAPI GetSystemTime(LPSYSTEMTIME systemTime) {
    if (!systemTime) return;
    using namespace std::chrono;
    const auto sinceEpoch = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    const std::time_t seconds = static_cast<std::time_t>(sinceEpoch / 1000);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    systemTime->wYear = static_cast<WORD>(utc.tm_year + 1900);
    systemTime->wMonth = static_cast<WORD>(utc.tm_mon + 1);
    systemTime->wDayOfWeek = static_cast<WORD>(utc.tm_wday);
    systemTime->wDay = static_cast<WORD>(utc.tm_mday);
    systemTime->wHour = static_cast<WORD>(utc.tm_hour);
    systemTime->wMinute = static_cast<WORD>(utc.tm_min);
    systemTime->wSecond = static_cast<WORD>(utc.tm_sec);
    systemTime->wMilliseconds = static_cast<WORD>(sinceEpoch % 1000);
}

// Every text crosses this layer as Windows-1251 (text.cpp).
UINT WINAPI GetACP() { return 1251; }

// Nothing of the program needs tearing down: the kernel takes back the lock, the windows and the
// display connection, so the process ends at once rather than unwinding Qt from inside a handler.
// Only the keyboard layout the user had is given back first.
void WINAPI ExitProcess(UINT exitCode) {
    layer::GiveBackKeyboardLayout();
    std::fflush(nullptr);
    _exit(static_cast<int>(exitCode));
}

namespace layer {

std::string ChosenPlatform;

// The X display is -display's, else $DISPLAY's. Where the user chose no platform (QT_QPA_PLATFORM,
// -platform), the program runs on it even in a Wayland session, through XWayland: a Wayland
// compositor places its clients itself and keeps none above the others, so only there does the
// window keep its place and stay on top. Without an X display a Wayland display is used, and the
// user is told what that costs; without either Qt's xcb platform would abort with advice to
// reinstall, so the program says so in one line.
void CheckDisplay() {
    static bool checked = false;
    if (checked) return;
    checked = true;
    const CommandLine& line = TakenCommandLine();
    if (!Environment("QT_QPA_PLATFORM").empty() || !line.platform.empty()) return;
    const std::string name = line.display.empty() ? Environment("DISPLAY") : line.display;
    if (Display* display = name.empty() ? nullptr : XOpenDisplay(name.c_str())) {
        XCloseDisplay(display);
        ChosenPlatform = "xcb";
        return;
    }
    if (!Environment("WAYLAND_DISPLAY").empty()) {
        std::fputs("vocarta: no X display, so a Wayland window: the desktop places it and may not keep it on top\n",
                   stderr);
        return;
    }
    if (name.empty())
        std::fputs("vocarta: no X display (DISPLAY is not set)\n", stderr);
    else
        std::fprintf(stderr, "vocarta: cannot open the X display \"%s\"\n", name.c_str());
    ExitProcess(1);
}

}  // namespace layer
