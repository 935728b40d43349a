// kernel32: module handle, the single-instance mutex and the system time.
//
// A named mutex is an exclusive flock on a per-user lock file. The kernel drops the lock when the
// process ends, however it ends, so a crashed or killed instance never blocks the next start.
#include <fcntl.h>
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

#include "platform/qt/layer.h"

namespace {

std::map<HANDLE, int> LockFiles;  // mutex handle -> descriptor

// A directory only this user can reach: $XDG_RUNTIME_DIR, or a private folder under /tmp.
bool IsPrivateDirectory(const std::string& path) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == geteuid() &&
           (status.st_mode & 077) == 0;
}

std::string LockDirectory() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/' && IsPrivateDirectory(runtime)) return runtime;
    const std::string fallback = "/tmp/vocarta-" + std::to_string(geteuid());
    mkdir(fallback.c_str(), 0700);
    return IsPrivateDirectory(fallback) ? fallback : std::string();
}

std::string SafeName(const char* name) {
    std::string result;
    for (const char* c = name; *c; ++c)
        result.push_back((std::isalnum(static_cast<unsigned char>(*c)) || *c == '-' || *c == '_') ? *c : '_');
    return result;
}

int OpenLockFile(const char* name) {
    const std::string directory = LockDirectory();
    if (directory.empty() || !name || !*name) return -1;
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

HANDLE WINAPI CreateMutexA(LPSECURITY_ATTRIBUTES, BOOL, LPCSTR name) {
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

// Nothing of the program needs tearing down: the kernel takes back the lock, the windows and the
// display connection, so the process ends at once rather than unwinding Qt from inside a handler.
void WINAPI ExitProcess(UINT exitCode) {
    std::fflush(nullptr);
    _exit(static_cast<int>(exitCode));
}
