// SPDX-License-Identifier: GPL-3.0-or-later
// SIGTERM, SIGINT and SIGHUP end the program as its window's close would: the keyboard layout the
// user had is given back first. The handler only writes the signal's number to a pipe; the event
// loop, in whatever message loop it runs, reads it and does the rest outside the handler.
#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

#include "platform/qt/layer.h"

namespace layer {
namespace {

int SignalPipe[2];

void NoteSignal(int number) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = write(SignalPipe[1], &byte, 1);
    errno = saved;
}

// Ends the process as the signal would have, so that whoever sent it sees it did.
void EndBySignal() {
    unsigned char number = SIGTERM;
    if (read(SignalPipe[0], &number, 1) != 1) return;
    GiveBackKeyboardLayout();
    std::signal(number, SIG_DFL);
    std::raise(number);
}

}  // namespace

void EndOnSignals() {
    if (pipe2(SignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier = new QSocketNotifier(SignalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, EndBySignal);
    struct sigaction action {};
    action.sa_handler = NoteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : {SIGTERM, SIGINT, SIGHUP}) sigaction(number, &action, nullptr);
}

}  // namespace layer
