#include "shell/options.hpp"

#include <cstring>
#include <iostream>

#include "common/display.hpp"
#include "common/shellstate.hpp"
#include "shell/commands.hpp"
#include "shell/streams.hpp"

namespace kavelta {

namespace {

// Each command the user can type, its aliases on one line and what it does
// on the next: the menu's first, then those it does not show.
void writecommands(std::ostream& out, bool hidden) {
    for (const Command& command : commandtable()) {
        if (command.hidden != hidden || command.summary.empty()) {
            continue;
        }
        std::string_view separator = "  ";
        for (std::string_view alias : command.aliases) {
            if (!alias.empty()) {
                writetext(out, separator);
                writetext(out, alias);
                separator = ", ";
            }
        }
        writetext(out, "\n      ");
        writetext(out, command.summary);
        writetext(out, "\n");
    }
}

void writeusage(std::ostream& out) {
    writetext(out,
              "Usage: kavelta [--help | --version]\n"
              "\n"
              "Works out grade averages in the Vietnamese 10-point scheme. At its menu, type\n"
              "a command, by its number or by any of its names, then the scores it asks\n"
              "for; a script on standard input works as well.\n"
              "\n");
    writecommands(out, false);
    writetext(out, "\nToday's rules (Circulars 22/2021 and 24/2024), not shown in the menu:\n\n");
    writecommands(out, true);
}

}  // namespace

Option readoption(int argc, const char* const argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            return Option::help;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            return Option::version;
        }
    }
    return Option::none;
}

int answeroption(Option option) {
    openstreams(plaindevice);
    if (option == Option::help) {
        writeusage(std::cout);
    } else {
        writetext(std::cout, "kavelta " KAVELTA_RELEASE "\n");
    }
    flushstreams();  // a failure is kept, and said by closestreams
    return closestreams(0);
}

}  // namespace kavelta
