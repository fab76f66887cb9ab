// The terminal: entered once the program is in the foreground, drawn again
// after a resume or a resize, and the device the standard streams use on it.
//
// Every transfer with the terminal (a line read, a key byte, a write, a
// redraw) but the way out's (writewithin, bounded, for the handlers) goes
// through one wait, waittransfer: with the handled signals blocked it checks
// that the program's screen is up and drawn, waits with them let in, then
// makes one transfer that never blocks. So a signal is handled only while
// waiting: a stop never falls between the check and the transfer, a paused
// terminal (Ctrl-S) holds back no signal, and nothing of the program's
// screen lands on the user's. A redraw after a stop or a resize replaces
// whatever was not yet written.
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "shell/console_posix.hpp"
#include "shell/streams.hpp"

namespace kavelta {

TerminalState terminal;

namespace {

enum class Direction { reading, writing };

// One transfer: the bytes to write, or else room to read into.
struct Transfer {
    const char* text;
    char* room;
    std::size_t size;
    Direction direction() const { return text != nullptr ? Direction::writing : Direction::reading; }
};

// The program's own description of the terminal, or where it could not be
// opened again, standard input or output.
int descriptor(Direction direction) {
    int standard = direction == Direction::writing ? STDOUT_FILENO : STDIN_FILENO;
    return terminal.fd >= 0 ? terminal.fd : standard;
}

// Lets the terminal stop the program while it is in the background, as it
// stops any background job that reads it (SIGTTIN) or changes it (SIGTTOU):
// a read of nothing, or setting the settings it has. The terminal decides in
// the same call, so a `fg` at any moment either comes first or resumes the
// stop. False when still in the background and no stop came: the signal
// ignored or blocked, or no shell left to resume the process group.
bool waitforeground(Direction direction) {
    while (!foreground()) {
        sig_atomic_t before = terminal.redrawsasked;
        struct termios settings;
        char nothing;
        // Made for the stop alone, which the check below looks for.
        if (direction == Direction::reading) {
            ssize_t ignored = read(descriptor(direction), &nothing, 0);
            (void)ignored;
        } else if (tcgetattr(STDIN_FILENO, &settings) == 0) {
            tcsetattr(STDIN_FILENO, TCSANOW, &settings);
        }
        if (terminal.redrawsasked == before && !foreground()) {
            return false;
        }
    }
    return true;
}

// Only settings read are ever set; one that fails leaves the mode as it was.
void applysettings() {
    if (terminal.settingsread == SettingsRead::read) {
        tcsetattr(STDIN_FILENO, TCSANOW,
                  terminal.mode == Mode::key ? &terminal.keywaitsettings : &terminal.usersettings);
    }
}

// With the handled signals blocked, in the foreground.
void enter() {
    if (terminal.settingsread == SettingsRead::unasked) {
        bool read = tcgetattr(STDIN_FILENO, &terminal.usersettings) == 0;
        terminal.keywaitsettings = terminal.usersettings;
        terminal.keywaitsettings.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
        terminal.keywaitsettings.c_cc[VMIN] = 1;
        terminal.keywaitsettings.c_cc[VTIME] = 0;
        terminal.settingsread = read ? SettingsRead::read : SettingsRead::unreadable;
    }
    terminal.entered = 1;
}

// One read or write that never blocks. Where the terminal could not be
// opened again, standard input and output are used, which the shell shares:
// they are non-blocking only for this one transfer, made with the handled
// signals blocked, so that no stop leaves them so; where they cannot be
// made so, nothing is transferred and the failure is the result.
long transfernow(const Transfer& transfer) {
    int fd = descriptor(transfer.direction());
    int flags = terminal.fd < 0 ? fcntl(fd, F_GETFL) : 0;
    if (flags < 0 || (terminal.fd < 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0)) {
        return -errno;
    }
    long moved = transfer.text != nullptr ? write(fd, transfer.text, transfer.size)
                                          : read(fd, transfer.room, transfer.size);
    moved = moved >= 0 ? moved : -errno;
    if (moved == 0 && transfer.text != nullptr && transfer.size > 0) {
        moved = -EIO;
    }
    if (terminal.fd < 0) {
        fcntl(fd, F_SETFL, flags);  // fails only where the descriptor has just worked
    }
    return moved;
}

// One transfer, made only while the program's screen is up and nothing has
// asked for a redraw since `drawnfor` (result::redraw otherwise), once the
// terminal has input or room, waiting at most `timeout` when given.
long waittransfer(const Transfer& transfer, sig_atomic_t drawnfor,
                  const struct timespec* timeout) {
    SignalsBlocked signals;
    if (!terminal.entered || terminal.redrawsasked != drawnfor) {
        return result::redraw;
    }
    bool writing = transfer.direction() == Direction::writing;
    struct pollfd ready = {descriptor(transfer.direction()),
                           static_cast<short>(writing ? POLLOUT : POLLIN), 0};
    // Signals are let in only inside the wait. When it ends with the
    // terminal ready, one that comes now stays pending until the transfer is
    // made (a Ctrl-Z that flushed the key leaves nothing to read, and the
    // read says so rather than waiting).
    int count = ppoll(&ready, 1, timeout, &signals.before);
    if (count < 0) {
        return -errno;
    }
    return count == 0 ? result::timedout : transfernow(transfer);
}

// Typed bytes in the terminal's queue: finished lines in line mode (a clear
// wipes a half-typed one for good), every byte in the key wait's. One that
// cannot say counts none: a wiped line is not shown again, nothing is lost.
long queued() {
    int count = 0;
    return ioctl(descriptor(Direction::reading), FIONREAD, &count) == 0 ? count : 0;
}

// Writes `text` as part of a drawing begun at `start`, taking off what is
// written: 0 when all is, result::redraw when a stop or a resize cuts it.
long drawtext(std::string_view& text, sig_atomic_t start) {
    while (!text.empty()) {
        long wrote = waittransfer(Transfer{text.data(), nullptr, text.size()}, start, nullptr);
        if (wrote >= 0) {
            text.remove_prefix(static_cast<std::size_t>(wrote));
        } else if (wrote != result::interrupted && wrote != result::notready) {
            return wrote;
        }
    }
    return 0;
}

// The whole screen as it was (after the title's push, on entering): the
// title, a clear, what was written and typed since. The switch to the
// program's screen comes every time: a stop the program could not catch
// lets another program leave it. A plain terminal gets nothing; on both the
// queue is counted again.
long draw(bool entering, sig_atomic_t start) {
    const std::string_view pieces[] = {
        entering ? sequence::pushtitle : "",
        sequence::alternatescreen,
        terminal.title,
        sequence::clear,
        std::string_view(terminal.screen.text, terminal.screen.length),
    };
    for (std::string_view piece : pieces) {
        long drew = terminal.escapes ? drawtext(piece, start) : 0;
        if (drew != 0) {
            return drew;
        }
    }
    recountunseen(!terminal.escapes);
    return 0;
}

// Makes sure the program's screen and settings are up before it reads or
// writes: entered the first time, drawn again after a stop or a resize; in
// the background it stops until `fg`. 0, -EIO when no job control can bring
// it forward, or minus the errno of a failed write.
long ensuredrawn(Direction direction) {
    for (;;) {
        if (!waitforeground(direction)) {
            return -EIO;
        }
        bool inforeground, entering, drawn;
        sig_atomic_t start;
        {
            // Checked again with the signals blocked: after a Ctrl-Z and
            // `bg` since the wait, the program must not enter.
            SignalsBlocked signals;
            inforeground = foreground();
            entering = inforeground && !terminal.entered;
            drawn = inforeground && !entering && terminal.drawnfor == terminal.redrawsasked;
            if (inforeground && !drawn) {
                if (entering) {
                    enter();
                }
                applysettings();
            }
            start = terminal.redrawsasked;
        }
        if (drawn) {
            return 0;
        }
        long drew = inforeground ? draw(entering, start) : result::redraw;
        if (drew == 0) {
            terminal.drawnfor = start;
            return 0;
        }
        if (drew != result::redraw) {
            return drew;
        }
    }
}

// Writes text that a redraw shows whole (the screen record's, the title):
// with escapes, after a redraw meanwhile the rest of it is on the screen and
// is dropped; a plain terminal, never drawn again, gets the rest.
long writedrawn(const char* text, std::size_t length) {
    std::string_view rest(text, length);
    sig_atomic_t drawnfor = terminal.drawnfor;
    for (;;) {
        long wrote = ensuredrawn(Direction::writing);
        if (wrote == 0 && !(terminal.escapes && terminal.drawnfor != drawnfor)) {
            wrote = drawtext(rest, terminal.drawnfor);
        }
        if (wrote != result::redraw) {
            return wrote;
        }
    }
}

// The terminal as the streams write it: recorded, then written.
long writeoutput(const char* text, std::size_t length) {
    if (terminal.escapes) {
        recordoutput(terminal.screen, text, length);
    }
    return writedrawn(text, length);
}

// Typed bytes the user has not seen, as the terminal's echo would have
// shown them, so that nothing the user cannot see is acted on.
long echotyped(const char* typed, std::size_t length) {
    char echo[echoroom];
    long wrote = 0;
    for (const char* end = typed + length; typed < end && wrote == 0;) {
        wrote = writeoutput(echo, echoform(typed, end, echo));
    }
    return wrote;
}

// The terminal as the streams read it: what it echoed on the screen is kept
// for a redraw; unseen bytes are the streams' to echo.
long readtyped(char* buffer, std::size_t size, bool& unseen) {
    long got = readterminal(buffer, size, nullptr, &unseen);
    if (got > 0 && !unseen && terminal.escapes) {
        recordtyped(terminal.screen, buffer, static_cast<std::size_t>(got));
    }
    return got;
}

// The program's own description of the terminal, read-write and
// non-blocking: O_NONBLOCK on it never touches the open file the shell
// shares. -1 where the terminal cannot be opened again (another user's
// after su, no /dev in a chroot) or standard output is another terminal.
int openown() {
    const char* path = ttyname(STDIN_FILENO);
    int fd = path != nullptr ? open(path, O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC) : -1;
    struct stat own, output;
    if (fd >= 0 && (fstat(fd, &own) != 0 || fstat(STDOUT_FILENO, &output) != 0 ||
                    own.st_rdev != output.st_rdev)) {
        close(fd);  // nothing was written through it: nothing is lost
        fd = -1;
    }
    return fd;
}

}  // namespace

Device openterminal(bool escapes) {
    terminal.escapes = escapes;
    terminal.fd = openown();
    catchterminalsignals();
    reportwrite(ensuredrawn(Direction::writing));
    return Device{readtyped, writeoutput, echotyped};
}

void closeterminal() {
    // Room for the leave sequence, for which leave() waits only a while;
    // whatever ends the wait, leave() writes within its own bound.
    if (terminal.entered && terminal.escapes) {
        waittransfer(Transfer{"", nullptr, 0}, terminal.drawnfor, nullptr);
    }
    SignalsBlocked signals;
    leave();
}

void recountunseen(bool screenkept) {
    terminal.unseen = screenkept ? std::min(terminal.unseen, queued()) : queued();
}

bool foreground() {
    pid_t owner = tcgetpgrp(STDIN_FILENO);
    // Not the controlling terminal: no job control to wait for.
    return owner < 0 || owner == getpgrp();
}

// Whatever the clock and the poll return, the write is tried again or the
// time is up.
void writewithin(const char* text, std::size_t length, int milliseconds) {
    struct timespec start;
    struct timespec at;
    clock_gettime(CLOCK_MONOTONIC, &start);
    for (long spent = 0; length > 0 && spent < milliseconds;) {
        long wrote = transfernow(Transfer{text, nullptr, length});
        if (wrote > 0) {
            text += wrote;
            length -= static_cast<std::size_t>(wrote);
        } else if (wrote != result::interrupted && wrote != result::notready) {
            return;
        } else {
            struct pollfd room = {descriptor(Direction::writing), POLLOUT, 0};
            poll(&room, 1, static_cast<int>(milliseconds - spent));
            clock_gettime(CLOCK_MONOTONIC, &at);
            spent = (at.tv_sec - start.tv_sec) * 1000 + (at.tv_nsec - start.tv_nsec) / 1000000;
        }
    }
}

long endorhangup(long got) {
    struct termios settings;
    return got == 0 && tcgetattr(STDIN_FILENO, &settings) != 0 ? -EIO : got;
}

long readterminal(char* buffer, std::size_t size, const struct timespec* timeout,
                  bool* unseen) {
    for (;;) {
        long drawn = ensuredrawn(Direction::reading);
        if (drawn < 0) {
            return drawn;
        }
        bool first = terminal.unseen > 0;
        std::size_t room = first ? std::min<std::size_t>(size, terminal.unseen) : size;
        long got = waittransfer(Transfer{nullptr, buffer, room}, terminal.drawnfor, timeout);
        if (got == result::redraw || got == result::interrupted || got == result::notready) {
            continue;
        }
        terminal.unseen -= first ? std::max(got, 0L) : 0;
        if (unseen != nullptr) {
            *unseen = first;
        }
        return endorhangup(got);
    }
}

void setmode(Mode mode) {
    SignalsBlocked signals;
    terminal.mode = mode;
    if (terminal.entered) {
        applysettings();
    }
}

// The title's sequence is kept whole in terminal.title, which every redraw
// writes, after what is pending; cut at 64 bytes, it always fits.
void terminalsettitle(std::string_view text) {
    int length = static_cast<int>(std::min<std::size_t>(text.size(), 64));
    std::snprintf(terminal.title, sizeof terminal.title, "%s%.*s%s", sequence::titlestart, length,
                  text.data(), sequence::titleend);
    if (flushstreams()) {
        reportwrite(writedrawn(terminal.title, std::strlen(terminal.title)));
    }
}

// What the streams hold typed ahead, and the lines in the terminal's queue,
// are no longer on the screen. A failed write is kept, and said by
// closestreams.
void terminalclearscreen() {
    std::cout << sequence::clear;
    flushstreams();
    clearrecord(terminal.screen);
    hidetypedahead();
    recountunseen(false);
}

void terminalsleepms(std::uint32_t milliseconds) {
    if (!flushstreams()) {
        return;
    }
    struct timespec left = {static_cast<time_t>(milliseconds / 1000),
                            static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR &&
           reportwrite(ensuredrawn(Direction::writing))) {
    }
}

}  // namespace kavelta
