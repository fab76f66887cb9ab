// The signals that need the terminal: a deadly one leaves it and ends the
// program, Ctrl-Z leaves it while the program is stopped, and a resume or a
// resize is counted for the main flow to draw the screen again.
//
// Handlers only do what cannot wait, with async-signal-safe calls, and wait
// on the terminal a second at most: they resume output a Ctrl-S paused, and
// change the settings at once rather than after the output drains. What
// this file drops of sigaction, sigprocmask, raise, tcflow and tcsetattr
// fails only on what it is never given, or on a terminal gone.
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "shell/console_posix.hpp"

namespace kavelta {

namespace {

// How long the way out waits for a terminal that takes no output.
constexpr int leavemilliseconds = 1000;

const int deadlysignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
const int caughtsignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP, SIGCONT, SIGWINCH};

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

// The one way a signal's action is set: never over an ignored signal, and
// with the terminal's signals blocked while a handler runs (or left alone).
void setaction(int signo, void (*handler)(int)) {
    struct sigaction current;
    if (sigaction(signo, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) {
        return;
    }
    struct sigaction action = {};
    action.sa_handler = handler;
    action.sa_mask = terminalsignals();
    sigaction(signo, &action, nullptr);
}

// The signal again, with its default action, from its own handler, where it
// is blocked: unblocked, it ends or stops the program inside raise().
void raisedefault(int signo) {
    setaction(signo, SIG_DFL);
    sigset_t own;
    sigemptyset(&own);
    sigaddset(&own, signo);
    sigprocmask(SIG_UNBLOCK, &own, nullptr);
    raise(signo);
}

// Ends the program by the same signal, so the parent sees the status it
// expects. Process 1 (a container started without an init) is never ended
// by a signal it does not handle: it exits.
void ondeadlysignal(int signo) {
    leave();
    raisedefault(signo);
    _exit(128 + signo);
}

// Ctrl-Z: the user's screen and settings come back while the program is
// stopped; resumed, it draws again once it is in the foreground.
void onstop(int signo) {
    int savederrno = errno;
    leave();
    raisedefault(signo);
    setaction(signo, onstop);
    errno = savederrno;
}

// A resume or a resize.
void onredraw(int) { terminal.redrawsasked = terminal.redrawsasked + 1; }

}  // namespace

SignalsBlocked::SignalsBlocked() {
    sigset_t set = terminalsignals();
    sigprocmask(SIG_BLOCK, &set, &before);
}

SignalsBlocked::~SignalsBlocked() {
    int error = errno;
    sigprocmask(SIG_SETMASK, &before, nullptr);
    errno = error;
}

void catchterminalsignals() {
    for (int signo : deadlysignals) {
        setaction(signo, ondeadlysignal);
    }
    setaction(SIGTSTP, onstop);
    setaction(SIGCONT, onredraw);
    setaction(SIGWINCH, onredraw);
}

void resetterminalsignals(const sigset_t& mask) {
    for (int signo : caughtsignals) {
        setaction(signo, SIG_DFL);
    }
    sigprocmask(SIG_SETMASK, &mask, nullptr);
}

void leave() {
    if (!terminal.entered) {
        return;
    }
    terminal.entered = 0;
    // On Linux resuming alone does not undo a typed Ctrl-S; stopping does.
    tcflow(STDOUT_FILENO, TCOOFF);
    tcflow(STDOUT_FILENO, TCOON);
    // The one write to the terminal not made through its wait: a stalled
    // terminal that takes output again within a while gets the user's
    // screen back, and a deadly signal still ends the program.
    if (terminal.escapes) {
        writewithin(sequence::leave, sizeof sequence::leave - 1, leavemilliseconds);
    }
    // After a stop the program could not catch, the shell owns the
    // terminal and its settings; and only settings read are ever set.
    if (foreground() && terminal.settingsread == SettingsRead::read) {
        tcsetattr(STDIN_FILENO, TCSANOW, &terminal.usersettings);
    }
}

}  // namespace kavelta
