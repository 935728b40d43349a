// SPDX-License-Identifier: GPL-3.0-or-later
// The thread's message queue, timers and the message loop functions, running on Qt's event loop.
// Input reaches the program while GetMessageA waits inside Qt's event processing: a control turns
// it into messages for its procedure or its parent's (WM_COMMAND, WM_KEYDOWN). Posted messages
// and WM_TIMER are retrieved by GetMessageA, filtered by window, and delivered by DispatchMessageA.
#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <deque>
#include <memory>

#include "platform/qt/layer.h"
#include "platform/qt/layer_probes.h"

namespace layer {
namespace {

using Clock = std::chrono::steady_clock;

// Longest period SetTimer accepts (USER_TIMER_MAXIMUM); shorter than 10 ms is raised to 10 ms.
constexpr UINT kLongestPeriod = 0x7FFFFFFF;
constexpr UINT kShortestPeriod = 10;

struct Timer {
    HWND window = nullptr;
    UINT_PTR id = 0;
    Clock::duration period{};
    Clock::time_point due{};
    bool pending = false;  // like Win32, at most one WM_TIMER per timer waits in the queue
    std::unique_ptr<QTimer> waker;
};

std::deque<MSG> Posted;
std::deque<std::unique_ptr<Timer>> Timers;
const Clock::time_point Start = Clock::now();

DWORD TickCount() {
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - Start).count());
}

bool Matches(const MSG& message, HWND filter, UINT first, UINT last) {
    if (filter && !IsSelfOrDescendant(filter, message.hwnd)) return false;
    return (first == 0 && last == 0) || (message.message >= first && message.message <= last);
}

// Wakes the Qt loop when the timer is due; the next due time follows the fixed schedule, so
// ticks do not drift however late one of them is handled.
void Arm(Timer& timer) {
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(timer.due - Clock::now()).count();
    timer.waker->start(static_cast<int>(std::clamp<long long>(wait, 0, kLongestPeriod)));
}

void OnWake(Timer& timer) {
    const auto now = Clock::now();
    if (now >= timer.due) {
        timer.pending = true;
        const auto late = (now - timer.due) / timer.period;
        timer.due += timer.period * (late + 1);
    }
    Arm(timer);
}

bool TakePosted(MSG& out, HWND filter, UINT first, UINT last) {
    for (auto it = Posted.begin(); it != Posted.end(); ++it) {
        if (!Matches(*it, filter, first, last)) continue;
        out = *it;
        Posted.erase(it);
        return true;
    }
    return false;
}

bool TakeTimer(MSG& out, HWND filter, UINT first, UINT last) {
    for (auto& timer : Timers) {
        if (!timer->pending) continue;
        const MSG message{timer->window, WM_TIMER, timer->id, 0, TickCount(), {0, 0}};
        if (!Matches(message, filter, first, last)) continue;
        timer->pending = false;
        out = message;
        return true;
    }
    return false;
}

}  // namespace

void Post(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Posted.push_back(MSG{handle, message, wParam, lParam, TickCount(), {0, 0}});
}

void ForgetWindowMessages(HWND handle) {
    std::erase_if(Posted, [handle](const MSG& message) { return message.hwnd == handle; });
    std::erase_if(Timers, [handle](const std::unique_ptr<Timer>& timer) { return timer->window == handle; });
}

UINT TimerPeriod(HWND window, UINT_PTR id) {
    for (auto& timer : Timers)
        if (timer->window == window && timer->id == id)
            return static_cast<UINT>(std::chrono::duration_cast<std::chrono::milliseconds>(timer->period).count());
    return 0;
}

void PumpMessages(bool wait) {
    MSG message{};
    if (TakePosted(message, nullptr, 0, 0) || TakeTimer(message, nullptr, 0, 0)) {
        DispatchMessageA(&message);
        return;
    }
    QCoreApplication::processEvents(wait ? QEventLoop::WaitForMoreEvents : QEventLoop::AllEvents);
}

void ProcessPendingEvents() {
    EnsureApplication();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    DeleteRetiredWidgets();
}

}  // namespace layer

using namespace layer;

BOOL WINAPI GetMessageA(LPMSG message, HWND window, UINT filterMin, UINT filterMax) {
    EnsureApplication();
    for (;;) {
        if (!message || (window && !FindWindow(window))) return -1;
        DeleteRetiredWidgets();
        if (TakePosted(*message, window, filterMin, filterMax) || TakeTimer(*message, window, filterMin, filterMax))
            return message->message == kWmQuit ? FALSE : TRUE;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

// Characters come from the edit fields' own key handling, so there is nothing to translate.
BOOL WINAPI TranslateMessage(const MSG*) { return FALSE; }

LRESULT WINAPI DispatchMessageA(const MSG* message) {
    if (!message) return 0;
    return Deliver(message->hwnd, message->message, message->wParam, message->lParam);
}

UINT_PTR WINAPI SetTimer(HWND window, UINT_PTR id, UINT elapse, void* timerProc) {
    if (!FindWindow(window) || timerProc) return 0;
    KillTimer(window, id);
    auto timer = std::make_unique<Timer>();
    timer->window = window;
    timer->id = id;
    timer->period = std::chrono::milliseconds(std::clamp(elapse, kShortestPeriod, kLongestPeriod));
    timer->due = Clock::now() + timer->period;
    timer->waker = std::make_unique<QTimer>();
    timer->waker->setSingleShot(true);
    timer->waker->setTimerType(Qt::PreciseTimer);
    Timer& armed = *timer;
    QObject::connect(timer->waker.get(), &QTimer::timeout, [&armed] { OnWake(armed); });
    Arm(armed);
    Timers.push_back(std::move(timer));
    return id;
}

BOOL WINAPI KillTimer(HWND window, UINT_PTR id) {
    const auto removed = std::erase_if(Timers, [window, id](const std::unique_ptr<Timer>& timer) {
        return timer->window == window && timer->id == id;
    });
    return removed ? TRUE : FALSE;
}
