// Console operations on POSIX terminals, with escape sequences and termios.
//
// The mode is decided once: interactive when standard input and standard
// output are both terminals, otherwise (pipes, files) the operations write
// no escape sequence and never wait, and clearing the screen is a line end
// so that a transcript stays readable. A terminal that shows escape
// sequences as text (TERM=dumb, cons25 or emacs, as an editor's shell buffer
// sets) gets the script's titles and line ends, but key waits and pauses as
// on any terminal, since a person is reading.
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

bool plainterminal() {
    const char* term = std::getenv("TERM");
    return term != nullptr && (std::strcmp(term, "dumb") == 0 || std::strcmp(term, "cons25") == 0 ||
                               std::strcmp(term, "emacs") == 0);
}

// Typed at a terminal, written elsewhere: read as from a file, but the end
// of a terminal that has hung up is a failure.
long readhungupfails(char* buffer, std::size_t size, bool& unseen) {
    return endorhangup(readstandardinput(buffer, size, unseen));
}

void nothing() {}
void notitle(std::string_view) {}
void nosleep(std::uint32_t) {}
void newline() { std::cout.rdbuf()->sputc('\n'); }  // a failure is kept, and said by closestreams

}  // namespace

Console openconsole() {
    if (!onterminal()) {
        openstreams(isatty(STDIN_FILENO)
                        ? Device{readhungupfails, writestandardoutput, writestandardoutput}
                        : plaindevice);
        return Console{notitle, newline, nothing, startconsole, nosleep};
    }
    bool escapes = !plainterminal();
    openstreams(openterminal(escapes));
    if (!escapes) {
        return Console{notitle, newline, terminalwaitkey, startconsole, terminalsleepms};
    }
    return Console{terminalsettitle, terminalclearscreen, terminalwaitkey, startconsole,
                   terminalsleepms};
}

int closeconsole(int status) {
    flushstreams();  // a failure is kept, and said by closestreams
    closeterminal();
    return closestreams(status);
}

}  // namespace kavelta
