// The signals that need the terminal: a deadly one gives it back and ends
// the program, Ctrl-Z gives it back while the program is stopped, and a
// resume is counted for the main flow to draw again.
//
// Handlers only do what cannot wait, with async-signal-safe calls, and
// never wait on the terminal: they resume output a Ctrl-S paused, and
// change the settings at once rather than after the output drains.
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "shell/console_posix.hpp"

namespace kavelta {

namespace {

// Undoes, in reverse, the push of the window title and the switch to the
// alternate screen, so the user's shell screen and title come back.
const char leavesequence[] = "\x1b[?1049l\x1b[23;0t";

// How long the way out waits for a terminal that takes no output.
constexpr int leavemilliseconds = 1000;

const int deadlysignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
const int caughtsignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP, SIGCONT};

// The signals caught, and SIGTTOU: every handler and every change of the
// terminal's state runs with them blocked.
sigset_t terminalsignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int signo : caughtsignals) {
        sigaddset(&set, signo);
    }
    sigaddset(&set, SIGTTOU);
    return set;
}

void unblock(int signo) {
    sigset_t own;
    sigemptyset(&own);
    sigaddset(&own, signo);
    sigprocmask(SIG_UNBLOCK, &own, nullptr);
}

// Ends the program by the same signal, so the parent sees the status it
// expects. The handler runs with its signal blocked: unblocked, the signal
// ends the program inside raise(). Process 1 (a container started without
// an init) is never ended by a signal it does not handle: it exits.
void ondeadlysignal(int signo) {
    giveback();
    signal(signo, SIG_DFL);
    unblock(signo);
    raise(signo);
    _exit(128 + signo);
}

void catchsignal(int signo, void (*handler)(int));

// Ctrl-Z: the user's screen and settings come back while the program is
// stopped. It resumes with `fg` or `bg`; the main flow draws again once it
// is in the foreground.
void onstop(int signo) {
    int savederrno = errno;
    giveback();
    signal(signo, SIG_DFL);
    unblock(signo);
    raise(signo);
    catchsignal(signo, onstop);
    errno = savederrno;
}

void oncontinue(int) {
    terminal.continued = terminal.continued + 1;
}

// Only over the default disposition.
void catchsignal(int signo, void (*handler)(int)) {
    struct sigaction current;
    if (sigaction(signo, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) {
        return;
    }
    struct sigaction action = {};
    action.sa_handler = handler;
    action.sa_mask = terminalsignals();
    sigaction(signo, &action, nullptr);
}

}  // namespace

SignalsHeld::SignalsHeld() {
    sigset_t set = terminalsignals();
    sigprocmask(SIG_BLOCK, &set, &before);
}

SignalsHeld::~SignalsHeld() {
    int error = errno;
    sigprocmask(SIG_SETMASK, &before, nullptr);
    errno = error;
}

void catchterminalsignals() {
    for (int signo : deadlysignals) {
        catchsignal(signo, ondeadlysignal);
    }
    catchsignal(SIGTSTP, onstop);
    catchsignal(SIGCONT, oncontinue);
}

void resetterminalsignals(const sigset_t& mask) {
    for (int signo : caughtsignals) {
        catchsignal(signo, SIG_DFL);
    }
    sigprocmask(SIG_SETMASK, &mask, nullptr);
}

void giveback() {
    if (!terminal.held) {
        return;
    }
    terminal.held = 0;
    // On Linux resuming alone does not undo a typed Ctrl-S; stopping first
    // does.
    tcflow(STDOUT_FILENO, TCOOFF);
    tcflow(STDOUT_FILENO, TCOON);
    // The one write to the terminal that does not go through the step
    // (terminal_posix.cpp): it waits for room a bounded time, so that a
    // stalled terminal that takes output again gets the user's screen back,
    // and a deadly signal still ends the program.
    if (terminal.escapes) {
        writewithin(leavesequence, sizeof leavesequence - 1, leavemilliseconds);
    }
    // After a stop the program could not catch, the shell owns the
    // terminal and its settings.
    if (foreground()) {
        tcsetattr(STDIN_FILENO, TCSANOW, &terminal.usersettings);
    }
}

}  // namespace kavelta
