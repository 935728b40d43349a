// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/command_line.h"

#include <unistd.h>

#include <cstdio>

namespace layer {

namespace {

constexpr char kHelp[] =
    "Использование: vocarta [ПАРАМЕТР Qt...]\n"
    "Usage: vocarta [QT-OPTION...]\n"
    "\n"
    "Vocarta 2.0 — тренажер итальянских слов для русскоговорящих: карточки и тест.\n"
    "Vocarta 2.0 - an Italian vocabulary trainer for Russian speakers: flash cards and a quiz.\n"
    "\n"
    "  -h, --help    показать эту справку и выйти / show this help and exit\n"
    "  --version     показать версию и выйти / show the version and exit\n"
    "\n"
    "Параметры Qt (-platform, -display, -geometry, -style и другие) передаются Qt.\n"
    "Qt's own options (-platform, -display, -geometry, -style and others) go to Qt.\n";
constexpr char kVersion[] = "Vocarta 2.0\n";

// Qt's own options, as QApplication and its X11 platform read them: "-name VALUE" (also
// "--name VALUE"), a flag, or "-name=VALUE".
enum class Form { Value, Flag, Joined };
struct QtOption {
    const char* name;
    Form form;
};
constexpr QtOption kQtOptions[] = {
    {"platform", Form::Value},     {"platformpluginpath", Form::Value}, {"platformtheme", Form::Value},
    {"plugin", Form::Value},       {"qwindowgeometry", Form::Value},    {"geometry", Form::Value},
    {"qwindowtitle", Form::Value}, {"title", Form::Value},              {"qwindowicon", Form::Value},
    {"icon", Form::Value},         {"session", Form::Value},            {"display", Form::Value},
    {"name", Form::Value},         {"style", Form::Value},              {"stylesheet", Form::Value},
    {"reverse", Form::Flag},       {"widgetcount", Form::Flag},         {"testability", Form::Flag},
    {"sync", Form::Flag},          {"style=", Form::Joined},            {"stylesheet=", Form::Joined},
    {"qmljsdebugger=", Form::Joined},
};

// Qt takes "--name" for "-name".
std::string OptionName(const std::string& argument) {
    return argument.substr(argument.compare(0, 2, "--") == 0 ? 2 : 1);
}

const QtOption* FindQtOption(const std::string& argument) {
    const std::string name = OptionName(argument);
    for (const QtOption& option : kQtOptions) {
        const bool joined = option.form == Form::Joined;
        if (joined ? name.compare(0, std::char_traits<char>::length(option.name), option.name) == 0
                   : name == option.name)
            return &option;
    }
    return nullptr;
}

CommandLine Answer(CommandLine::Action action, const std::string& said) {
    CommandLine line;
    line.action = action;
    line.said = said;
    return line;
}

CommandLine Refused(const std::string& why) {
    return Answer(CommandLine::Action::Refuse, "vocarta: " + why + "; vocarta --help\n");
}

// Taken before the globals of the program's other files are constructed, so not a global itself.
CommandLine& Taken() {
    static CommandLine taken;
    return taken;
}

}  // namespace

CommandLine ReadCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--") break;  // what follows is no option
        if (argument == "-h" || argument == "--help") return Answer(CommandLine::Action::Help, kHelp);
        if (argument == "--version") return Answer(CommandLine::Action::Version, kVersion);
        if (argument.size() < 2 || argument[0] != '-') continue;  // the program takes no files
        const QtOption* option = FindQtOption(argument);
        if (!option) return Refused("unknown option \"" + argument + "\" (неизвестный параметр)");
        line.qtArguments.push_back(argument);
        if (option->form != Form::Value) continue;
        if (++i == arguments.size()) return Refused("option \"" + argument + "\" needs a value (нет значения)");
        line.qtArguments.push_back(arguments[i]);
        if (OptionName(argument) == "platform") line.platform = arguments[i];
        if (OptionName(argument) == "display") line.display = arguments[i];
    }
    return line;
}

void TakeCommandLine(int argc, char** argv) {
    const CommandLine line = ReadCommandLine(std::vector<std::string>(argv + (argc > 0), argv + argc));
    if (line.action == CommandLine::Action::Run) {
        Taken() = line;
        return;
    }
    std::fputs(line.said.c_str(), line.action == CommandLine::Action::Refuse ? stderr : stdout);
    std::fflush(nullptr);
    _exit(line.action == CommandLine::Action::Refuse ? 2 : 0);
}

const CommandLine& TakenCommandLine() { return Taken(); }

}  // namespace layer
