// The terminal: taken once the program is in the foreground, drawn again
// after a resume, and the device the standard streams use on it.
#include <fcntl.h>
#include <sys/select.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <iostream>

#include "shell/console_posix.hpp"
#include "shell/streams.hpp"

namespace kavelta {

TerminalState terminal;

namespace {

// Push the user's window title, then switch to the alternate screen; the
// leave sequence (signals_posix.cpp) undoes both.
const char entersequence[] = "\x1b[22;0t\x1b[?1049h";
const char clearsequence[] = "\x1b[H\x1b[2J";

void writeall(const char* text) {
    writeoutput(text, std::strlen(text));
}

bool foreground() {
    pid_t owner = tcgetpgrp(STDIN_FILENO);
    // Not the controlling terminal: no job control to wait for.
    return owner < 0 || owner == getpgrp();
}

// Lets the terminal stop the program while it is in the background, as it
// stops any background job that touches it: tcdrain, harmless in itself,
// raises SIGTTOU there. False when the program is still in the background
// and no stop came: SIGTTOU ignored or blocked, or a process group with no
// shell left to resume it.
bool waitforeground() {
    while (!foreground()) {
        sig_atomic_t before = terminal.continued;
        tcdrain(STDIN_FILENO);
        if (terminal.continued == before && !foreground()) {
            return false;
        }
    }
    return true;
}

void applysettings() {
    tcsetattr(STDIN_FILENO, TCSANOW,
              terminal.keymode ? &terminal.keywaitsettings : &terminal.usersettings);
}

// With the handled signals blocked: the whole screen again, as it was.
void redraw() {
    applysettings();
    if (terminal.escapes) {
        if (terminal.title[0] != '\0') {
            writeall("\x1b]0;");
            writeall(terminal.title);
            writeall("\x07");
        }
        writeall(clearsequence);
        writeoutput(terminal.screen.text, terminal.screen.length);
    }
    terminal.drawnat = terminal.continued;
}

// With the handled signals blocked, in the foreground.
void take() {
    if (!terminal.settingssaved) {
        tcgetattr(STDIN_FILENO, &terminal.usersettings);
        terminal.keywaitsettings = terminal.usersettings;
        terminal.keywaitsettings.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
        terminal.keywaitsettings.c_cc[VMIN] = 1;
        terminal.keywaitsettings.c_cc[VTIME] = 0;
        terminal.settingssaved = true;
    }
    terminal.held = 1;
    if (terminal.escapes) {
        writeall(entersequence);
    }
    redraw();
}

// The terminal as the streams use it: the program holds it before it
// writes, and keeps what it shows and what the user typed for a redraw.
long readfromterminal(char* buffer, std::size_t size) {
    long got = readterminal(buffer, size);
    if (got > 0 && terminal.escapes) {
        recordtyped(terminal.screen, buffer, static_cast<std::size_t>(got));
    }
    return endorhangup(got);
}

int writetoterminal(const char* text, std::size_t length) {
    if (holdterminal() && terminal.escapes) {
        recordshown(terminal.screen, text, length);
    }
    return writeoutput(text, length);
}

// Reading from a description of the terminal's own, without blocking, lets
// a read take only what is there: the open file the shell shares keeps
// its flags. Where the terminal cannot be opened again, standard input is
// read as it is.
int openinput() {
    const char* path = ttyname(STDIN_FILENO);
    int input = path != nullptr ? open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC) : -1;
    return input >= 0 ? input : STDIN_FILENO;
}

// One try: -1 with EINTR or EAGAIN when it is to be tried again.
long tryread(char* buffer, std::size_t size) {
    // In the background the read itself lets the terminal stop the program
    // (SIGTTIN), as it would stop any program that reads.
    if (!foreground()) {
        return read(STDIN_FILENO, buffer, size);
    }
    holdterminal();
    // The check that the screen is up and the read are one step, with the
    // handled signals let through only inside the wait: a stop and a resume
    // that come after the check end the wait, and one that comes after the
    // wait (with Ctrl-Z flushing the typed key) leaves nothing to read.
    sigset_t before = blockterminalsignals();
    long got = -1;
    errno = EINTR;
    if (terminal.held && terminal.drawnat == terminal.continued) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(terminal.input, &readable);
        if (pselect(terminal.input + 1, &readable, nullptr, nullptr, nullptr, &before) > 0) {
            if (terminal.input == STDIN_FILENO) {
                // A read that may block must let the signals through.
                restoresignals(before);
            }
            got = read(terminal.input, buffer, size);
        }
    }
    int error = errno;
    restoresignals(before);
    errno = error;
    return got;
}

}  // namespace

Device openterminal(bool escapes) {
    terminal.escapes = escapes;
    terminal.input = openinput();
    catchterminalsignals();
    holdterminal();
    return Device{readfromterminal, writetoterminal};
}

void restoreterminal() {
    sigset_t before = blockterminalsignals();
    giveback();
    restoresignals(before);
}

long endorhangup(long got) {
    struct termios settings;
    return got == 0 && tcgetattr(STDIN_FILENO, &settings) != 0 ? -1 : got;
}

bool holdterminal() {
    for (;;) {
        if (!waitforeground()) {
            return false;
        }
        // Checked again with the signals blocked: a Ctrl-Z and `bg` since
        // the wait must not see the program take the terminal from the
        // background.
        sigset_t before = blockterminalsignals();
        bool held = foreground();
        if (held && !terminal.held) {
            take();
        } else if (held && terminal.drawnat != terminal.continued) {
            redraw();
        }
        restoresignals(before);
        if (held) {
            return true;
        }
    }
}

long readterminal(char* buffer, std::size_t size) {
    for (;;) {
        long got = tryread(buffer, size);
        if (got >= 0 || (errno != EINTR && errno != EAGAIN)) {
            return got;
        }
    }
}

void setkeymode(bool on) {
    sigset_t before = blockterminalsignals();
    terminal.keymode = on;
    if (terminal.held) {
        applysettings();
    }
    restoresignals(before);
}

void terminalsettitle(std::string_view text) {
    std::size_t length = std::min(text.size(), sizeof terminal.title - 1);
    std::memcpy(terminal.title, text.data(), length);
    terminal.title[length] = '\0';
    std::cout << "\x1b]0;" << terminal.title << '\x07';
    flushstreams();
}

void terminalclearscreen() {
    std::cout << clearsequence;
    flushstreams();
    clearrecord(terminal.screen);
}

void terminalsleepms(std::uint32_t milliseconds) {
    if (!flushstreams()) {
        return;
    }
    struct timespec left = {static_cast<time_t>(milliseconds / 1000),
                            static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
        holdterminal();
    }
}

}  // namespace kavelta
