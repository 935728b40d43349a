// SPDX-License-Identifier: GPL-3.0-or-later
// The Linux program's command line. The program itself reads none: it answers --help and
// --version on the terminal, refuses what it does not know, and hands Qt its own options.
#pragma once

#include <string>
#include <vector>

namespace layer {

struct CommandLine {
    enum class Action { Run, Help, Version, Refuse } action = Action::Run;
    std::string said;                      // the help, the version or the refusal, as printed
    std::vector<std::string> qtArguments;  // Qt's own options, with their values, in their order
    std::string platform, display;         // the values of -platform and -display, where given
};

// arguments: argv without the program's name.
CommandLine ReadCommandLine(const std::vector<std::string>& arguments);

// Takes the process's command line: answers --help, --version and an unknown option at once,
// ending the process (0, 0 and 2), and keeps Qt's options for the application.
void TakeCommandLine(int argc, char** argv);

// The command line taken, for the application and the display check.
const CommandLine& TakenCommandLine();

}  // namespace layer
