// The terminal and its screen: the program's settings and alternate screen
// taken once it is in the foreground, given back on every way out and while
// it is stopped, and drawn again when it resumes; the signals that need it.
//
// Signal handlers only do what cannot wait: put the terminal back (with
// write and tcsetattr) before the program ends or stops, and count resumes.
// Redrawing after a resume is the main flow's work, done before its next
// read or write of the terminal.
#include <signal.h>
#include <sys/select.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <iostream>

#include "shell/console_posix.hpp"
#include "shell/streams.hpp"

namespace kavelta {

namespace {

// Push the user's window title, then switch to the alternate screen; undone
// in reverse when the terminal is given back, so the user's shell screen
// and title come back.
const char entersequence[] = "\x1b[22;0t\x1b[?1049h";
const char leavesequence[] = "\x1b[?1049l\x1b[23;0t";
const char clearsequence[] = "\x1b[H\x1b[2J";

const int deadlysignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
const int handledsignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP, SIGCONT};

bool interactive = false;
bool escapes = false;

// The user's settings, read the first time the program is in the
// foreground, and the key wait's, made from them.
struct termios usersettings;
struct termios keywaitsettings;
bool settingssaved = false;
bool keymode = false;

// Set while the program's screen and settings are on the terminal.
volatile sig_atomic_t held = 0;

// Counts resumes; the screen was last drawn at `drawnat`.
volatile sig_atomic_t continued = 0;
sig_atomic_t drawnat = 0;

// The current window title, and what was shown since the last clear: the
// program's output and the lines the terminal echoed as they were typed. A
// screen holds far less than this; past it, the oldest lines go.
char title[64];
char screen[16384];
std::size_t shown = 0;

// Async-signal-safe: only write(), retried on EINTR and continued after a
// short write.
void writeall(const char* text, std::size_t length) {
    while (length > 0) {
        ssize_t written = write(STDOUT_FILENO, text, length);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        text += written;
        length -= static_cast<std::size_t>(written);
    }
}

void writeall(const char* text) {
    writeall(text, std::strlen(text));
}

// Async-signal-safe and repeat-safe. Called with SIGTTOU blocked, so that it
// also works from the background.
void giveback() {
    if (!held) {
        return;
    }
    held = 0;
    if (escapes) {
        writeall(leavesequence);
    }
    tcsetattr(STDIN_FILENO, TCSADRAIN, &usersettings);
}

// A deadly signal puts the terminal back, then ends the program by the same
// signal, so the parent sees the status it expects. The signal is blocked
// while its handler runs: it ends the program as the handler returns.
void ondeadlysignal(int signo) {
    int savederrno = errno;
    giveback();
    signal(signo, SIG_DFL);
    raise(signo);
    errno = savederrno;
}

void catchsignal(int signo, void (*handler)(int));

// Ctrl-Z: the user's screen and settings come back while the program is
// stopped. It resumes with `fg` or `bg`; the main flow draws again once it
// is in the foreground.
void onstop(int signo) {
    int savederrno = errno;
    giveback();
    signal(signo, SIG_DFL);
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, signo);
    sigprocmask(SIG_UNBLOCK, &stop, nullptr);
    raise(signo);
    catchsignal(signo, onstop);
    errno = savederrno;
}

void oncontinue(int) {
    continued = continued + 1;
}

// Handlers go only over the default disposition: a signal ignored at start
// (SIGHUP under nohup, SIGINT in a background job) stays ignored. Every
// handler runs with the handled signals and SIGTTOU blocked.
void catchsignal(int signo, void (*handler)(int)) {
    struct sigaction current;
    if (sigaction(signo, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) {
        return;
    }
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    for (int handled : handledsignals) {
        sigaddset(&action.sa_mask, handled);
    }
    sigaddset(&action.sa_mask, SIGTTOU);
    sigaction(signo, &action, nullptr);
}

void catchterminalsignals() {
    for (int signo : deadlysignals) {
        catchsignal(signo, ondeadlysignal);
    }
    catchsignal(SIGTSTP, onstop);
    catchsignal(SIGCONT, oncontinue);
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
        sig_atomic_t before = continued;
        tcdrain(STDIN_FILENO);
        if (continued == before && !foreground()) {
            return false;
        }
    }
    return true;
}

void applysettings() {
    tcsetattr(STDIN_FILENO, TCSANOW, keymode ? &keywaitsettings : &usersettings);
}

// With the handled signals blocked: the whole screen again, as it was.
void redraw() {
    applysettings();
    if (escapes) {
        if (title[0] != '\0') {
            writeall("\x1b]0;");
            writeall(title);
            writeall("\x07");
        }
        writeall(clearsequence);
        writeall(screen, shown);
    }
    drawnat = continued;
}

void take() {
    if (!settingssaved) {
        tcgetattr(STDIN_FILENO, &usersettings);
        keywaitsettings = usersettings;
        keywaitsettings.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
        keywaitsettings.c_cc[VMIN] = 1;
        keywaitsettings.c_cc[VTIME] = 0;
        settingssaved = true;
    }
    held = 1;
    if (escapes) {
        writeall(entersequence);
    }
    redraw();
}

void remember(const char* text, std::size_t length) {
    if (length > sizeof screen) {
        text += length - sizeof screen;
        length = sizeof screen;
    }
    if (shown + length > sizeof screen) {
        // Drop the oldest lines, through a line end, so that a redraw starts
        // at the start of a line.
        std::size_t drop = shown + length - sizeof screen;
        const void* lineend = std::memchr(screen + drop, '\n', shown - drop);
        drop = lineend != nullptr ? static_cast<const char*>(lineend) - screen + 1 : shown;
        std::memmove(screen, screen + drop, shown - drop);
        shown -= drop;
    }
    std::memcpy(screen + shown, text, length);
    shown += length;
}

// Waits until standard input is readable, with SIGCONT let through only
// inside the wait, so that a resume that comes after the check is never
// missed. False when a signal came first.
bool waitreadable() {
    sigset_t resume;
    sigset_t before;
    sigemptyset(&resume);
    sigaddset(&resume, SIGCONT);
    sigprocmask(SIG_BLOCK, &resume, &before);
    bool ready = drawnat == continued;
    if (ready) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(STDIN_FILENO, &readable);
        ready = pselect(STDIN_FILENO + 1, &readable, nullptr, nullptr, nullptr, &before) > 0 ||
                errno != EINTR;
    }
    sigprocmask(SIG_SETMASK, &before, nullptr);
    return ready;
}

}  // namespace

sigset_t blockterminalsignals() {
    sigset_t set;
    sigset_t before;
    sigemptyset(&set);
    for (int signo : handledsignals) {
        sigaddset(&set, signo);
    }
    sigaddset(&set, SIGTTOU);
    sigprocmask(SIG_BLOCK, &set, &before);
    return before;
}

void restoresignals(const sigset_t& mask) {
    sigprocmask(SIG_SETMASK, &mask, nullptr);
}

void resetterminalsignals(const sigset_t& mask) {
    for (int signo : handledsignals) {
        struct sigaction current;
        if (sigaction(signo, nullptr, &current) == 0 && current.sa_handler != SIG_IGN) {
            signal(signo, SIG_DFL);
        }
    }
    restoresignals(mask);
}

void openterminal(bool withescapes) {
    interactive = true;
    escapes = withescapes;
    catchterminalsignals();
    holdterminal();
}

void restoreterminal() {
    sigset_t before = blockterminalsignals();
    giveback();
    restoresignals(before);
}

bool holdterminal() {
    if (!interactive || !waitforeground()) {
        return false;
    }
    if (!held || drawnat != continued) {
        sigset_t before = blockterminalsignals();
        if (!held) {
            take();
        } else {
            redraw();
        }
        restoresignals(before);
    }
    return true;
}

void setkeymode(bool on) {
    sigset_t before = blockterminalsignals();
    keymode = on;
    if (held) {
        applysettings();
    }
    restoresignals(before);
}

void terminalsettitle(std::string_view text) {
    std::size_t length = text.size() < sizeof title - 1 ? text.size() : sizeof title - 1;
    std::memcpy(title, text.data(), length);
    title[length] = '\0';
    std::cout << "\x1b]0;" << title << '\x07';
    flushstreams();
}

void terminalclearscreen() {
    std::cout << clearsequence;
    flushstreams();
    shown = 0;
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

// What the standard streams tell the console.
void beforeoutput(const char* text, std::size_t length) {
    if (holdterminal() && escapes) {
        remember(text, length);
    }
}

// In the background the read itself lets the terminal stop the program
// (SIGTTIN), as it would stop any program that reads.
void beforeinput() {
    while (interactive && foreground()) {
        if (!holdterminal() || waitreadable()) {
            return;
        }
    }
}

void afterinput(const char* text, std::size_t length) {
    if (interactive && escapes) {
        remember(text, length);
    }
}

}  // namespace kavelta
