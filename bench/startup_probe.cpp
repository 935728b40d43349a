// SPDX-License-Identifier: GPL-3.0-or-later
// Measures start-up from outside the program: the time from starting its process to its window
// being mapped, and to the window showing its first complete picture.
//
// The probe starts the program, then polls the X server every millisecond: it looks for a
// viewable top-level window with the given title and, once there is one, grabs the window's
// contents (XGetImage) each time and keeps every picture that differs from the one before. When
// the picture has stayed the same for a while, that last picture is the painted window; the time
// of the first grab that matches it closely (all but a few pixels, which a focus frame or the
// window manager's activation may still change) is the time to the first paint.
//
// usage: startup_probe RUNS TITLE PROGRAM [TITLE PROGRAM ...]
// The programs are started in turn, RUNS times each, each start with an XDG_RUNTIME_DIR of its own.
// Prints the figures as rows of a Markdown table; with two programs also the ratio of the first
// one's median time to the second one's.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "statistics.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPollInterval = std::chrono::milliseconds(1);
constexpr auto kSettled = std::chrono::milliseconds(800);  // no change for this long: painted
constexpr auto kGiveUp = std::chrono::seconds(20);
// A grab counts as the painted picture when at most this share of its pixels still differs.
constexpr double kCloseEnough = 0.01;

int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }  // windows come and go while we look

bool HasTitle(Display* display, Window window, const std::string& title) {
    char* name = nullptr;
    const bool same = XFetchName(display, window, &name) && name && title == name;
    if (name) XFree(name);
    return same;
}

// The viewable window with the title, searched through the whole tree (the window manager puts
// each top-level window into a frame of its own).
Window FindViewable(Display* display, Window parent, const std::string& title) {
    Window root = 0, up = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &up, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.map_state != IsViewable) continue;
        found = HasTitle(display, children[i], title) ? children[i] : FindViewable(display, children[i], title);
    }
    if (children) XFree(children);
    return found;
}

bool AnyWindowTitled(Display* display, Window parent, const std::string& title) {
    Window root = 0, up = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &up, &children, &count)) return false;
    bool found = false;
    for (unsigned i = 0; i < count && !found; ++i)
        found = HasTitle(display, children[i], title) || AnyWindowTitled(display, children[i], title);
    if (children) XFree(children);
    return found;
}

struct Picture {
    Clock::time_point taken;
    std::vector<std::uint32_t> pixels;
};

bool Grab(Display* display, Window window, std::vector<std::uint32_t>& pixels) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable) return false;
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!image) return false;
    pixels.clear();
    pixels.reserve(static_cast<std::size_t>(attributes.width) * static_cast<std::size_t>(attributes.height) + 2);
    pixels.push_back(static_cast<std::uint32_t>(attributes.width));
    pixels.push_back(static_cast<std::uint32_t>(attributes.height));
    for (int y = 0; y < attributes.height; ++y)
        for (int x = 0; x < attributes.width; ++x) pixels.push_back(static_cast<std::uint32_t>(XGetPixel(image, x, y)));
    XDestroyImage(image);
    return true;
}

double DifferingShare(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
    if (a.size() != b.size() || a.size() < 2 || a[0] != b[0]) return 1.0;
    std::size_t differing = 0;
    for (std::size_t i = 2; i < a.size(); ++i) differing += a[i] != b[i];
    return static_cast<double>(differing) / static_cast<double>(a.size() - 2);
}

void DumpPicture(const std::string& path, const std::vector<std::uint32_t>& pixels) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return;
    std::fprintf(file, "P6\n%u %u\n255\n", pixels[0], pixels[1]);
    for (std::size_t i = 2; i < pixels.size(); ++i) {
        const unsigned char rgb[3] = {static_cast<unsigned char>(pixels[i] >> 16), static_cast<unsigned char>(pixels[i] >> 8),
                                      static_cast<unsigned char>(pixels[i])};
        std::fwrite(rgb, 1, 3, file);
    }
    std::fclose(file);
}

struct Result {
    bool ok = false;
    double mapped = 0;   // ms from the start to the window being viewable
    double painted = 0;  // ms from the start to the first grab that shows the painted window
};

Result StartOnce(Display* display, const std::string& title, const std::string& program, const char* dumpTo) {
    Result result;
    char runtime[] = "/tmp/startup-probe.XXXXXX";
    if (!mkdtemp(runtime)) return result;
    chmod(runtime, 0700);

    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry)
        if (std::strncmp(*entry, "XDG_RUNTIME_DIR=", 16) != 0 && std::strncmp(*entry, "QT_QPA_PLATFORM=", 16) != 0)
            environment.emplace_back(*entry);
    environment.push_back(std::string("XDG_RUNTIME_DIR=") + runtime);
    std::vector<char*> envp;
    for (auto& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string programPath = program;
    char* argv[] = {programPath.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);

    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", program.c_str(), std::strerror(spawned));
        std::filesystem::remove_all(runtime);
        return result;
    }

    const Window root = DefaultRootWindow(display);
    Window window = 0;
    Clock::time_point mapped{}, lastChange{};
    std::vector<Picture> pictures;
    std::vector<std::uint32_t> grabbed;
    while (Clock::now() - start < kGiveUp) {
        if (!window) {
            window = FindViewable(display, root, title);
            if (window) mapped = lastChange = Clock::now();
        }
        if (window) {
            const Clock::time_point taken = Clock::now();
            if (Grab(display, window, grabbed) && (pictures.empty() || grabbed != pictures.back().pixels)) {
                pictures.push_back({taken, grabbed});
                lastChange = taken;
            }
            if (!pictures.empty() && taken - lastChange >= kSettled) break;
        }
        std::this_thread::sleep_for(kPollInterval);
    }

    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    for (int i = 0; i < 2000 && AnyWindowTitled(display, root, title); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::filesystem::remove_all(runtime);
    if (!window || pictures.empty()) return result;

    const Picture& last = pictures.back();
    for (const Picture& picture : pictures) {
        if (DifferingShare(picture.pixels, last.pixels) > kCloseEnough) continue;
        result.ok = true;
        result.mapped = Milliseconds(mapped - start);
        result.painted = Milliseconds(picture.taken - start);
        break;
    }
    if (dumpTo) {
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            std::fprintf(stderr, "%s picture %zu at %.1f ms, %.4f differs from the last\n", title.c_str(), i,
                         Milliseconds(pictures[i].taken - start), DifferingShare(pictures[i].pixels, last.pixels));
            DumpPicture(std::string(dumpTo) + "/" + std::to_string(i) + ".ppm", pictures[i].pixels);
        }
    }
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || (argc - 2) % 2 != 0) {
        std::fprintf(stderr, "usage: startup_probe RUNS TITLE PROGRAM [TITLE PROGRAM ...]\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const char* dumpTo = std::getenv("STARTUP_PROBE_DUMP");  // a folder for the pictures of one run
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startup_probe: no X display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreXErrors);
    struct Subject {
        std::string title, program;
        std::vector<double> mapped, painted;
        int failed = 0;
    };
    std::vector<Subject> subjects;
    for (int i = 2; i + 1 < argc; i += 2) subjects.push_back({argv[i], argv[i + 1], {}, {}, 0});

    for (int run = 0; run < runs; ++run) {
        for (Subject& subject : subjects) {
            const Result result = StartOnce(display, subject.title, subject.program, run == 0 ? dumpTo : nullptr);
            if (!result.ok) {
                ++subject.failed;
                continue;
            }
            subject.mapped.push_back(result.mapped);
            subject.painted.push_back(result.painted);
        }
    }

    for (const Subject& subject : subjects) {
        if (subject.painted.empty()) {
            std::printf("| start-up of \"%s\" | no window seen in %d starts | | |\n", subject.title.c_str(), runs);
            continue;
        }
        const auto [fastest, slowest] = std::minmax_element(subject.painted.begin(), subject.painted.end());
        std::printf("| start-up of \"%s\" to its window painted (median of %zu) | %.1f ms (fastest %.1f, slowest %.1f) | | |\n",
                    subject.title.c_str(), subject.painted.size(), Median(subject.painted), *fastest, *slowest);
        std::printf("| start-up of \"%s\" to its window mapped (median of %zu) | %.1f ms | | |\n", subject.title.c_str(),
                    subject.mapped.size(), Median(subject.mapped));
        if (subject.failed) std::printf("| starts of \"%s\" that showed no window | %d | | |\n", subject.title.c_str(), subject.failed);
    }
    if (subjects.size() == 2 && !subjects[0].painted.empty() && !subjects[1].painted.empty()) {
        const double ratio = Median(subjects[0].painted) / Median(subjects[1].painted);
        std::printf("| start-up ratio, \"%s\" / \"%s\" | %.2f | at most 1.2 | %s |\n", subjects[0].title.c_str(),
                    subjects[1].title.c_str(), ratio, ratio <= 1.2 ? "met" : "missed");
    }
    XCloseDisplay(display);
    return 0;
}
