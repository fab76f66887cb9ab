// Console operations on Windows: each is one command line run by the
// command processor, after standard output has been flushed so that
// everything written so far shows first.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "shell/console.hpp"
#include "shell/consolecommands.hpp"
#include "shell/streams.hpp"

namespace kavelta {

namespace {

void run(const char* commandline) {
    flushstreams();  // a failure is kept, and said by closestreams
    // The result is of no use: a failing command changes nothing the user
    // needs, and the command processor shows its own message if any.
    (void)std::system(commandline);
}

void settitle(std::string_view title) { run(titlecommand(title).c_str()); }

void clearscreen() { run(clearcommand); }

void waitkey() { run(waitkeycommand); }

// pause reads its key from standard input: with a script there (a pipe or
// a file), it would eat a byte of the script, so a script gets no wait.
void nowait() {
    flushstreams();  // as in run()
}

void startconsole() { run(companioncommand); }

void sleepms(std::uint32_t milliseconds) {
    flushstreams();  // as in run()
    Sleep(milliseconds);
}

}  // namespace

Console openconsole() {
    openstreams(plaindevice);
    DWORD mode;
    bool consoleinput = GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
    return Console{settitle, clearscreen, consoleinput ? waitkey : nowait, startconsole, sleepms};
}

int closeconsole(int status) {
    flushstreams();  // a failure is kept, and said by closestreams
    return closestreams(status);
}

}  // namespace kavelta
