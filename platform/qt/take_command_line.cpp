// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into the program alone (not into the tests): glibc calls the functions in .init_array
// with the process's arguments before main, so that --help and --version are answered before
// anything else runs, and Qt later gets its own options.
#include "platform/qt/command_line.h"

namespace {

void TakeArguments(int argc, char** argv, char**) { layer::TakeCommandLine(argc, argv); }

[[gnu::section(".init_array"), gnu::used]] void (*const kTakeArguments)(int, char**, char**) = TakeArguments;

}  // namespace
