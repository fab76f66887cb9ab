// Console operations on POSIX terminals, with escape sequences and termios.
//
// The mode is decided once: interactive when standard input and standard
// output are both terminals, otherwise (pipes, files) the operations write
// no escape sequence and never wait, and clearing the screen is a line end
// so that a transcript stays readable.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <iostream>

#include "shell/console.hpp"

namespace kavelta {

namespace {

// Push the user's window title, then switch to the alternate screen; undone
// in reverse on the way out, so the user's shell screen and title come back.
const char entersequence[] = "\x1b[22;0t\x1b[?1049h";
const char leavesequence[] = "\x1b[?1049l\x1b[23;0t";

const char companionpath[] = "Tovamire/console";

const int deadlysignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

struct termios savedterminal;
volatile sig_atomic_t terminalsaved = 0;

// Set while a key is awaited, so the key wait's settings can be put back
// when the program resumes after a stop.
struct termios keywaitterminal;
volatile sig_atomic_t waitingforkey = 0;

// Async-signal-safe: only write(), retried on EINTR and continued after a
// short write.
void writeall(int fd, const char* text, size_t length) {
    while (length > 0) {
        ssize_t written = write(fd, text, length);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        text += written;
        length -= static_cast<size_t>(written);
    }
}

ssize_t readbyte(int fd, unsigned char& byte) {
    ssize_t got;
    do {
        got = read(fd, &byte, 1);
    } while (got < 0 && errno == EINTR);
    return got;
}

// Async-signal-safe and repeat-safe: the first call puts the terminal back,
// later calls do nothing.
void restoreterminal() {
    if (!terminalsaved) {
        return;
    }
    terminalsaved = 0;
    writeall(STDOUT_FILENO, leavesequence, sizeof leavesequence - 1);
    tcsetattr(STDIN_FILENO, TCSADRAIN, &savedterminal);
}

// A deadly signal puts the terminal back, then ends the program by the same
// signal, so the parent sees the status it expects.
void ondeadlysignal(int signo) {
    int savederrno = errno;
    restoreterminal();
    signal(signo, SIG_DFL);
    raise(signo);
    errno = savederrno;
}

void catchsignal(int signo, void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    for (int deadly : deadlysignals) {
        sigaddset(&action.sa_mask, deadly);
    }
    sigaction(signo, &action, nullptr);
}

// Ctrl-Z: the user's screen and settings come back while the program is
// stopped; on resuming, the program's screen (cleared) and, in a key wait,
// the key wait's settings return.
void onstop(int signo) {
    int savederrno = errno;
    bool drawn = terminalsaved;
    if (drawn) {
        writeall(STDOUT_FILENO, leavesequence, sizeof leavesequence - 1);
        tcsetattr(STDIN_FILENO, TCSADRAIN, &savedterminal);
    }
    signal(signo, SIG_DFL);
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, signo);
    sigprocmask(SIG_UNBLOCK, &stop, nullptr);
    raise(signo);
    // Continued.
    catchsignal(signo, onstop);
    if (drawn && terminalsaved) {
        writeall(STDOUT_FILENO, entersequence, sizeof entersequence - 1);
        if (waitingforkey) {
            tcsetattr(STDIN_FILENO, TCSADRAIN, &keywaitterminal);
        }
    }
    errno = savederrno;
}

void catchterminalsignals() {
    for (int signo : deadlysignals) {
        catchsignal(signo, ondeadlysignal);
    }
    catchsignal(SIGTSTP, onstop);
}

void blockterminalsignals(int how) {
    sigset_t set;
    sigemptyset(&set);
    for (int signo : deadlysignals) {
        sigaddset(&set, signo);
    }
    sigaddset(&set, SIGTSTP);
    sigprocmask(how, &set, nullptr);
}

void show() {
    std::cout.flush();
}

void terminalsettitle(std::string_view title) {
    std::cout << "\x1b]0;" << title << '\x07';
    show();
}

void terminalclearscreen() {
    std::cout << "\x1b[H\x1b[2J";
    show();
}

bool bytewithin(int fd, int milliseconds, unsigned char& byte) {
    struct pollfd waitfor = {fd, POLLIN, 0};
    int ready;
    do {
        ready = poll(&waitfor, 1, milliseconds);
    } while (ready < 0 && errno == EINTR);
    return ready > 0 && readbyte(fd, byte) == 1;
}

// The rest of a key whose first byte was `first`: an escape sequence (arrow
// and function keys) or the continuation bytes of a UTF-8 letter. A terminal
// sends a key's bytes together, so a short wait is enough; what follows the
// key stays unread.
void readrestofkey(int fd, unsigned char first) {
    const int keygap = 50;
    unsigned char byte;
    if (first == 0x1b) {
        if (!bytewithin(fd, keygap, byte) || (byte != '[' && byte != 'O')) {
            return;
        }
        bool csi = byte == '[';
        while (bytewithin(fd, keygap, byte)) {
            // SS3 keys have one more byte; CSI keys end on a byte 0x40..0x7E.
            if (!csi || (byte >= 0x40 && byte <= 0x7e)) {
                return;
            }
        }
        return;
    }
    int continuation = first >= 0xf0 ? 3 : first >= 0xe0 ? 2 : first >= 0xc0 ? 1 : 0;
    while (continuation-- > 0 && bytewithin(fd, keygap, byte)) {
    }
}

// One key press, read with line mode and echo off. Signal keys keep working,
// so Ctrl-C ends the program here as anywhere else.
void terminalwaitkey() {
    show();
    struct termios before;
    if (tcgetattr(STDIN_FILENO, &before) != 0) {
        return;
    }
    keywaitterminal = before;
    keywaitterminal.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    keywaitterminal.c_cc[VMIN] = 1;
    keywaitterminal.c_cc[VTIME] = 0;
    waitingforkey = 1;
    tcsetattr(STDIN_FILENO, TCSANOW, &keywaitterminal);
    unsigned char first;
    if (readbyte(STDIN_FILENO, first) == 1) {
        readrestofkey(STDIN_FILENO, first);
    }
    waitingforkey = 0;
    tcsetattr(STDIN_FILENO, TCSANOW, &before);
}

void terminalsleepms(std::uint32_t milliseconds) {
    show();
    struct timespec left = {static_cast<time_t>(milliseconds / 1000),
                            static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

void closeinheriteddescriptors() {
#ifdef __linux__
    if (close_range(3, ~0U, 0) == 0) {
        return;
    }
#endif
    long last = sysconf(_SC_OPEN_MAX);
    if (last < 0 || last > 65536) {
        last = 65536;
    }
    for (int fd = 3; fd < last; ++fd) {
        close(fd);
    }
}

// In the grandchild: a session of its own, /dev/null for its streams, none
// of this program's descriptors, default signal handling.
[[noreturn]] void execcompanion() {
    setsid();
    int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
    }
    closeinheriteddescriptors();
    execl(companionpath, "console", static_cast<char*>(nullptr));
    _exit(127);
}

void resetsignals() {
    for (int signo : deadlysignals) {
        signal(signo, SIG_DFL);
    }
    signal(SIGTSTP, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
}

// Started through an intermediate child that exits at once and is reaped
// here: the companion is adopted by init, so it is never waited for and
// never left a zombie. Any failure is silent. Signals stay blocked across
// the fork until the child has dropped this program's handlers, which would
// otherwise redraw the user's terminal from the child.
void startcompanion() {
    blockterminalsignals(SIG_BLOCK);
    pid_t child = fork();
    if (child == 0) {
        resetsignals();
        pid_t grandchild = fork();
        if (grandchild == 0) {
            execcompanion();
        }
        _exit(0);
    }
    blockterminalsignals(SIG_UNBLOCK);
    while (child > 0 && waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
}

void terminalstartconsole() {
    show();
    startcompanion();
}

void nothing() {}
void notitle(std::string_view) {}
void nosleep(std::uint32_t) {}
void newline() {
    std::cout << '\n';
}

}  // namespace

Console openconsole() {
    if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO) ||
        tcgetattr(STDIN_FILENO, &savedterminal) != 0) {
        return Console{notitle, newline, nothing, startcompanion, nosleep};
    }
    catchterminalsignals();
    terminalsaved = 1;
    writeall(STDOUT_FILENO, entersequence, sizeof entersequence - 1);
    return Console{terminalsettitle, terminalclearscreen, terminalwaitkey, terminalstartconsole,
                   terminalsleepms};
}

void closeconsole() {
    std::cout.flush();
    blockterminalsignals(SIG_BLOCK);
    restoreterminal();
    blockterminalsignals(SIG_UNBLOCK);
}

}  // namespace kavelta
