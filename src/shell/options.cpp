#include "shell/options.hpp"

#include <cstring>
#include <iostream>

#include "common/display.hpp"
#include "common/shellstate.hpp"
#include "shell/commands.hpp"
#include "shell/streams.hpp"

namespace kavelta {

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
    if (option == Option::version) {
        writetext(std::cout, "kavelta " KAVELTA_RELEASE "\n");
    } else {
        writetext(std::cout,
                  "Usage: kavelta [--help | --version]\n\n"
                  "Works out grade averages in the Vietnamese 10-point scheme. At its menu, type\n"
                  "a command, by its number or by any of its names, then the scores it asks\n"
                  "for; a script on standard input works as well.\n\n");
        writecommands(std::cout, false);
        writetext(std::cout,
                  "\nToday's rules (Circulars 22/2021 and 24/2024), not shown in the menu:\n\n");
        writecommands(std::cout, true);
    }
    flushstreams();  // a failure is kept, and said by closestreams
    return closestreams(0);
}

}  // namespace kavelta
