// Console operations on POSIX terminals, with escape sequences and termios.
//
// The mode is decided once: interactive when standard input and standard
// output are both terminals, otherwise (pipes, files) the operations write
// no escape sequence and never wait, and clearing the screen is a line end
// so that a transcript stays readable. A dumb terminal (TERM=dumb, as in an
// editor's shell buffer) shows escape sequences as text: it gets the
// script's titles and line ends, but key waits and pauses as on any
// terminal, since a person is reading.
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <iostream>

#include "shell/console.hpp"
#include "shell/console_posix.hpp"
#include "shell/streams.hpp"

namespace kavelta {

namespace {

bool onterminal() {
    struct termios settings;
    return isatty(STDIN_FILENO) && isatty(STDOUT_FILENO) &&
           tcgetattr(STDIN_FILENO, &settings) == 0;
}

bool dumbterminal() {
    const char* term = std::getenv("TERM");
    return term != nullptr && std::strcmp(term, "dumb") == 0;
}

// Typed at a terminal, written elsewhere: read as from a file, but the end
// of a terminal that has hung up is a failure.
long readhungupfails(char* buffer, std::size_t size) {
    return endorhangup(readstandardinput(buffer, size));
}

void nothing() {}
void notitle(std::string_view) {}
void nosleep(std::uint32_t) {}
void newline() {
    std::cout.rdbuf()->sputc('\n');
}

}  // namespace

Console openconsole() {
    if (!onterminal()) {
        openstreams(isatty(STDIN_FILENO)
                        ? Device{readhungupfails, writestandardoutput, writestandardoutput}
                        : plaindevice);
        return Console{notitle, newline, nothing, startcompanion, nosleep};
    }
    bool escapes = !dumbterminal();
    openstreams(openterminal(escapes));
    if (!escapes) {
        return Console{notitle, newline, terminalwaitkey, startcompanion, terminalsleepms};
    }
    return Console{terminalsettitle, terminalclearscreen, terminalwaitkey, startcompanion,
                   terminalsleepms};
}

int closeconsole(int status) {
    flushstreams();
    restoreterminal();
    return closestreams(status);
}

}  // namespace kavelta
