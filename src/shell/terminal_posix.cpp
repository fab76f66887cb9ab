// The terminal: taken once the program is in the foreground, drawn again
// after a resume, and the device the standard streams use on it.
//
// Every transfer with the terminal, a line read, a key byte, a write of
// pending output or a redraw, goes through one step: with the handled
// signals blocked it checks that the program holds the terminal and that its
// screen is drawn, waits (the only wait on the terminal) with those signals
// let in, then makes one transfer that never blocks. A stop, a resume or a
// deadly signal is therefore taken only while waiting: a stop never falls
// between the check and the transfer, a paused terminal (Ctrl-S) holds back
// no signal, and nothing of the program's screen is written while the
// user's is up. After a stop the screen is drawn again, which replaces
// whatever was not yet written.
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <iostream>
#include <string_view>

#include "shell/console_posix.hpp"
#include "shell/streams.hpp"

namespace kavelta {

TerminalState terminal;

namespace {

// Push the user's window title, then switch to the alternate screen; the
// leave sequence (signals_posix.cpp) undoes both. The switch alone comes
// again on every redraw: a stop the program could not catch (SIGSTOP) lets
// another program leave the alternate screen, and on a screen still up the
// switch changes nothing that the clear after it does not.
const char pushtitle[] = "\x1b[22;0t";
const char alternatescreen[] = "\x1b[?1049h";
const char clearsequence[] = "\x1b[H\x1b[2J";

// Every function here that transfers or draws returns a long: the bytes
// moved (0 for done), or minus an errno value. -EAGAIN: the terminal is to
// be looked at again (a stop or a resume came, or it had nothing to give or
// no room); -ETIMEDOUT: the time given ran out; any other: the cause of a
// failure.

// One transfer: the bytes to write, or else room to read into.
struct Transfer {
    const char* text;
    char* room;
    std::size_t size;
};

// The descriptor a read or a write uses: the program's own description of
// the terminal, or where it could not be opened again, standard input or
// output.
int descriptor(bool writing) {
    return terminal.fd >= 0 ? terminal.fd : writing ? STDOUT_FILENO : STDIN_FILENO;
}

// Lets the terminal stop the program while it is in the background, as it
// stops any background job that reads it (SIGTTIN, "Stopped (tty input)")
// or changes it (SIGTTOU): a read of nothing, or setting the settings it
// has, neither of which waits for anything. The terminal decides in the
// same call whether the program is in the background, so a `fg` at any
// moment either comes first or resumes the stop. False when the program is
// still in the background and no stop came: the signal ignored or blocked,
// or a process group with no shell left to resume it.
bool waitforeground(bool reading) {
    while (!foreground()) {
        sig_atomic_t before = terminal.continued;
        struct termios settings;
        char nothing;
        if (reading) {
            ssize_t ignored = read(descriptor(false), &nothing, 0);
            (void)ignored;
        } else if (tcgetattr(STDIN_FILENO, &settings) == 0) {
            tcsetattr(STDIN_FILENO, TCSANOW, &settings);
        }
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
}

// One read or write that never blocks. Where the terminal could not be
// opened again, standard input and output are used, which the shell shares:
// they are non-blocking only for this one transfer, made with the handled
// signals blocked, so that no stop leaves them so.
long transferonce(const Transfer& transfer, int fd) {
    int flags = terminal.fd < 0 ? fcntl(fd, F_GETFL) : -1;
    if (flags >= 0) {
        fcntl(fd, F_SETFL, flags | O_NONBLOCK);
    }
    long moved = transfer.text != nullptr ? write(fd, transfer.text, transfer.size)
                                          : read(fd, transfer.room, transfer.size);
    moved = moved >= 0 ? moved : errno == EINTR ? -EAGAIN : -errno;
    if (flags >= 0) {
        fcntl(fd, F_SETFL, flags);
    }
    return moved;
}

// The step: one transfer, made only while the program holds the terminal
// and nothing has stopped or resumed it since `drawnat` (the resume count
// its screen was drawn at), after waiting, for at most `timeout` when one is
// given, until the terminal has input or room. 0 read is the end of input.
long step(const Transfer& transfer, sig_atomic_t drawnat, const struct timespec* timeout) {
    SignalsHeld signals;
    if (!terminal.held || terminal.continued != drawnat) {
        return -EAGAIN;
    }
    int fd = descriptor(transfer.text != nullptr);
    struct pollfd ready = {fd, static_cast<short>(transfer.text ? POLLOUT : POLLIN), 0};
    // Signals are let in only inside the wait. When it ends with the
    // terminal ready, one that comes now stays pending until the transfer is
    // made (a Ctrl-Z that flushed the key leaves nothing to read, and the
    // read says so rather than waiting).
    int count = ppoll(&ready, 1, timeout, &signals.before);
    if (count < 0) {
        return errno == EINTR ? -EAGAIN : -errno;
    }
    return count == 0 ? -ETIMEDOUT : transferonce(transfer, fd);
}

// Writes all of `text` as part of a drawing begun at resume count `start`;
// -EAGAIN when a stop cut the drawing short.
long drawpiece(std::string_view text, sig_atomic_t start) {
    while (!text.empty()) {
        long wrote = step(Transfer{text.data(), nullptr, text.size()}, start, nullptr);
        if (wrote == -EAGAIN) {
            if (!terminal.held || terminal.continued != start) {
                return -EAGAIN;
            }
        } else if (wrote < 0) {
            return wrote;
        } else {
            text.remove_prefix(static_cast<std::size_t>(wrote));
        }
    }
    return 0;
}

// The whole screen as it was: on taking the terminal its enter sequence
// first, then the title, a clear, and what was shown and typed since. A dumb
// terminal gets nothing.
long draw(bool entering, sig_atomic_t start) {
    if (!terminal.escapes) {
        return 0;
    }
    bool titled = terminal.title[0] != '\0';
    const std::string_view pieces[] = {
        entering ? pushtitle : "",
        alternatescreen,
        titled ? "\x1b]0;" : "",
        terminal.title,
        titled ? "\x07" : "",
        clearsequence,
        std::string_view(terminal.screen.text, terminal.screen.length),
    };
    for (std::string_view piece : pieces) {
        long result = drawpiece(piece, start);
        if (result != 0) {
            return result;
        }
    }
    return 0;
}

// Writes all of `text`, held before each piece: text that a redraw shows
// (recorded, or the title) is done once one has been made.
long sendtoterminal(const char* text, std::size_t length) {
    unsigned long draws = terminal.draws;
    while (length > 0) {
        long result = holdterminal(false);
        if (result < 0) {
            return result;
        }
        if (terminal.escapes && terminal.draws != draws) {
            return 0;
        }
        long wrote = step(Transfer{text, nullptr, length}, terminal.drawnat, nullptr);
        if (wrote == -EAGAIN) {
            continue;
        }
        if (wrote < 0) {
            return wrote;
        }
        text += wrote;
        length -= static_cast<std::size_t>(wrote);
    }
    return 0;
}

// The terminal as the streams write it, keeping what it shows for a redraw.
int writetoterminal(const char* text, std::size_t length) {
    if (terminal.escapes) {
        recordshown(terminal.screen, text, length);
    }
    return static_cast<int>(-sendtoterminal(text, length));
}

// Bytes kept after a key, shown as the terminal's echo would have shown them
// where the next line begins, then read as its start: nothing the user
// cannot see is acted on.
long showhidden(char* buffer, std::size_t size) {
    std::size_t length = std::min(size, terminal.hiddenlength);
    std::memcpy(buffer, terminal.hidden, length);
    terminal.hiddenlength -= length;
    std::memmove(terminal.hidden, terminal.hidden + length, terminal.hiddenlength);
    char echo[2 * sizeof terminal.hidden];
    int error = writetoterminal(echo, echoform(buffer, length, echo));
    errno = error;
    return error == 0 ? static_cast<long>(length) : -1;
}

// The terminal as the streams read it: what was kept after a key first,
// and what the user typed kept for a redraw.
long readfromterminal(char* buffer, std::size_t size) {
    if (terminal.hiddenlength > 0) {
        return showhidden(buffer, size);
    }
    long got = readterminal(buffer, size);
    if (got < 0) {
        errno = static_cast<int>(-got);
        return -1;
    }
    if (got > 0 && terminal.escapes) {
        recordtyped(terminal.screen, buffer, static_cast<std::size_t>(got));
    }
    return endorhangup(got);
}

// The program's own description of the terminal, read-write and
// non-blocking: O_NONBLOCK on it never touches the open file the shell
// shares, and as one descriptor it serves reads and writes alike. -1 where
// the terminal cannot be opened again (another user's after su, no /dev in
// a chroot) or standard output is another terminal.
int openown() {
    const char* path = ttyname(STDIN_FILENO);
    int fd = path != nullptr ? open(path, O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC) : -1;
    struct stat own, output;
    if (fd >= 0 && (fstat(fd, &own) != 0 || fstat(STDOUT_FILENO, &output) != 0 ||
                    own.st_rdev != output.st_rdev)) {
        close(fd);
        fd = -1;
    }
    return fd;
}

}  // namespace

Device openterminal(bool escapes) {
    terminal.escapes = escapes;
    terminal.fd = openown();
    catchterminalsignals();
    holdterminal(false);
    return Device{readfromterminal, writetoterminal};
}

void restoreterminal() {
    // Room for the leave sequence, for which giveback waits only a while.
    if (terminal.held && terminal.escapes) {
        step(Transfer{"", nullptr, 0}, terminal.drawnat, nullptr);
    }
    SignalsHeld signals;
    giveback();
}

bool foreground() {
    pid_t owner = tcgetpgrp(STDIN_FILENO);
    // Not the controlling terminal: no job control to wait for.
    return owner < 0 || owner == getpgrp();
}

void writewithin(const char* text, std::size_t length, int milliseconds) {
    struct timespec start;
    clock_gettime(CLOCK_MONOTONIC, &start);
    int fd = descriptor(true);
    while (length > 0) {
        long wrote = transferonce(Transfer{text, nullptr, length}, fd);
        if (wrote > 0) {
            text += wrote;
            length -= static_cast<std::size_t>(wrote);
            continue;
        }
        if (wrote < 0 && wrote != -EAGAIN) {
            return;
        }
        struct timespec at;
        clock_gettime(CLOCK_MONOTONIC, &at);
        long spent = (at.tv_sec - start.tv_sec) * 1000 + (at.tv_nsec - start.tv_nsec) / 1000000;
        if (spent >= milliseconds) {
            return;
        }
        struct pollfd room = {fd, POLLOUT, 0};
        poll(&room, 1, static_cast<int>(milliseconds - spent));
    }
}

long endorhangup(long got) {
    struct termios settings;
    return got == 0 && tcgetattr(STDIN_FILENO, &settings) != 0 ? -1 : got;
}

long holdterminal(bool reading) {
    for (;;) {
        if (!waitforeground(reading)) {
            return -EIO;
        }
        bool inforeground;
        bool entering;
        bool drawn;
        sig_atomic_t start;
        {
            // Checked again with the signals held: a Ctrl-Z and `bg` since
            // the wait must not see the program take the terminal from the
            // background.
            SignalsHeld signals;
            inforeground = foreground();
            entering = inforeground && !terminal.held;
            drawn = inforeground && !entering && terminal.drawnat == terminal.continued;
            if (inforeground && !drawn) {
                if (entering) {
                    take();
                }
                applysettings();
            }
            start = terminal.continued;
        }
        if (drawn) {
            return 0;
        }
        long result = inforeground ? draw(entering, start) : -EAGAIN;
        if (result == 0) {
            terminal.drawnat = start;
            ++terminal.draws;
            return 0;
        }
        if (result != -EAGAIN) {
            return result;
        }
    }
}

long readterminal(char* buffer, std::size_t size) {
    for (;;) {
        long result = holdterminal(true);
        if (result < 0) {
            return result;
        }
        long got = step(Transfer{nullptr, buffer, size}, terminal.drawnat, nullptr);
        if (got != -EAGAIN) {
            return got;
        }
    }
}

bool readbytewithin(int milliseconds, unsigned char& byte) {
    struct timespec gap = {0, milliseconds * 1000000L};
    return step(Transfer{nullptr, reinterpret_cast<char*>(&byte), 1}, terminal.drawnat, &gap) == 1;
}

void keephiddentyped() {
    struct timespec none = {0, 0};
    while (terminal.hiddenlength < sizeof terminal.hidden) {
        char* room = terminal.hidden + terminal.hiddenlength;
        long got = step(Transfer{nullptr, room, sizeof terminal.hidden - terminal.hiddenlength},
                        terminal.drawnat, &none);
        if (got <= 0) {
            return;
        }
        terminal.hiddenlength += static_cast<std::size_t>(got);
    }
}

void setkeymode(bool on) {
    SignalsHeld signals;
    terminal.keymode = on;
    if (terminal.held) {
        applysettings();
    }
}

// The title is kept in terminal.title alone, which every redraw writes: it
// goes to the terminal after what is pending, and not into the screen
// record.
void terminalsettitle(std::string_view text) {
    std::size_t length = std::min(text.size(), sizeof terminal.title - 1);
    std::memcpy(terminal.title, text.data(), length);
    terminal.title[length] = '\0';
    if (!flushstreams()) {
        return;
    }
    char escape[sizeof terminal.title + 8] = "\x1b]0;";
    std::size_t prefix = std::strlen(escape);
    std::memcpy(escape + prefix, terminal.title, length);
    escape[prefix + length] = '\x07';
    sendtoterminal(escape, prefix + length + 1);
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
        holdterminal(false);
    }
}

}  // namespace kavelta
