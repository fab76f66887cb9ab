// Console operations on Windows: each is one command line run by the
// command processor, after standard output has been flushed so that
// everything written so far shows first.
#include <windows.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "shell/console.hpp"
#include "shell/consolecommands.hpp"

namespace kavelta {

namespace {

void run(const char* commandline) {
    std::cout.flush();
    // The result is of no use: a failing command changes nothing the user
    // needs, and the command processor shows its own message if any.
    (void)std::system(commandline);
}

void settitle(std::string_view title) {
    run(titlecommand(title).c_str());
}

void clearscreen() {
    run(clearcommand);
}

void waitkey() {
    run(waitkeycommand);
}

void startconsole() {
    run(companioncommand);
}

void sleepms(std::uint32_t milliseconds) {
    std::cout.flush();
    Sleep(milliseconds);
}

}  // namespace

Console openconsole() {
    return Console{settitle, clearscreen, waitkey, startconsole, sleepms};
}

void closeconsole() {
    std::cout.flush();
}

}  // namespace kavelta
