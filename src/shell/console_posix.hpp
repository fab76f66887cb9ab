// The parts of the POSIX console, put together by console_posix.cpp:
// signals and leaving the terminal (signals_posix.cpp), the terminal and its
// device (terminal_posix.cpp), the key wait (keys_posix.cpp) and the
// companion's process (companion_posix.cpp).
#pragma once

#include <signal.h>
#include <termios.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <ctime>
#include <string_view>

#include "shell/screenrecord.hpp"
#include "shell/streams.hpp"

namespace kavelta {

// Every escape sequence the program writes, all of them xterm's.
namespace sequence {
constexpr char pushtitle[] = "\x1b[22;0t";         // keep the user's window title
constexpr char alternatescreen[] = "\x1b[?1049h";  // the program's own screen
constexpr char clear[] = "\x1b[H\x1b[2J";          // cursor to the top left, all erased
constexpr char titlestart[] = "\x1b]0;";           // the window title is what follows,
constexpr char titleend[] = "\x07";                // up to this
constexpr char leave[] = "\x1b[?1049l\x1b[23;0t";  // the user's screen and title back
}  // namespace sequence

// Line mode, or the key wait's mode (no line editing, no echo).
enum class Mode { line, key };

// What every transfer with the terminal returns, and every draw and write
// made of them: the bytes one read or write moved (a read's 0 is the end),
// 0 once a whole text is written, one of these, or minus a failure's errno.
// A write that takes nothing of a text is a failure, -EIO, as the device's.
namespace result {
constexpr long interrupted = -EINTR;  // a signal came: make it again
constexpr long notready = -EAGAIN;    // nothing to read or no room, yet
constexpr long timedout = -ETIMEDOUT;
constexpr long redraw = LONG_MIN;  // no errno: the screen must be drawn first
}  // namespace result

// The terminal's settings, asked for the first time in the foreground:
// where they cannot be read they are never set, and key waits take a line.
enum class SettingsRead { unasked, read, unreadable };

// Everything the console knows of the terminal, in one record. The signal
// handlers read `escapes`, `settingsread`, `usersettings`, `entered` and `fd`:
// those are written only before the handlers are caught or with the handled
// signals blocked (SignalsBlocked). The handlers write `entered` (leave) and
// `redrawsasked` (only they do). The rest is the main flow's alone.
struct TerminalState {
    bool escapes = false;  // false where they show as text (a plain terminal)
    SettingsRead settingsread = SettingsRead::unasked;
    struct termios usersettings = {};  // as read, when `settingsread` says so
    volatile sig_atomic_t entered = 0;       // the program's screen and settings are up
    volatile sig_atomic_t redrawsasked = 0;  // resumes and resizes so far

    int fd = -1;  // the terminal opened anew, read-write and non-blocking, or -1
    struct termios keywaitsettings = {};  // no line editing, no echo
    Mode mode = Mode::line;
    sig_atomic_t drawnfor = 0;  // `redrawsasked` when the screen was last drawn
    char title[80] = {};        // the window title's whole sequence, or empty
    long unseen = 0;  // bytes first in the queue that are not on the screen
    ScreenRecord screen;
};

extern TerminalState terminal;

// Blocks the handled signals, and SIGTTOU so that the terminal can be
// changed from the background, while it lives; then the mask and errno are
// as they were. Handlers and every change of the terminal's state run so.
struct SignalsBlocked {
    SignalsBlocked();
    ~SignalsBlocked();
    SignalsBlocked(const SignalsBlocked&) = delete;
    SignalsBlocked& operator=(const SignalsBlocked&) = delete;
    sigset_t before;  // the mask as it was, which a wait lets signals in with
};

// Catches the deadly signals, Ctrl-Z, the resume and the resize, but not
// one ignored at start (SIGHUP under nohup), which stays ignored.
void catchterminalsignals();

// In a child: the caught signals back to their default, the mask as it was.
void resetterminalsignals(const sigset_t& mask);

// Puts back the user's screen and settings, if the program's are up.
// Async-signal-safe and repeat-safe; called with the signals blocked.
void leave();

// True when the program's process group owns the terminal, or the terminal
// is not a controlling one. Async-signal-safe.
bool foreground();

// Writes `text` to the terminal, waiting for room at most `milliseconds` in
// all: a terminal that takes no output must not keep a deadly signal from
// ending the program. Async-signal-safe.
void writewithin(const char* text, std::size_t length, int milliseconds);

// Starts using the terminal on standard input and output: signals are
// caught, and once in the foreground the program's screen and settings go
// up. Returns the device the streams use on it.
Device openterminal(bool escapes);
void closeterminal();

// What a read of a terminal returned, but -EIO for the end of a terminal
// that has hung up: it reads as ended, and refuses to say how it is set.
long endorhangup(long got);

// Reads the terminal once the program's screen is up and drawn, after any
// stop or resize, waiting at most `timeout` (forever when null), as
// `result` says. It keeps terminal.unseen: a read takes unseen bytes alone,
// and says so in `unseen` when given.
long readterminal(char* buffer, std::size_t size, const struct timespec* timeout,
                  bool* unseen = nullptr);

// Counts terminal.unseen again as the screen changes (a clear, a redraw, a
// key wait): the queue was echoed on a screen since wiped, or typed with echo
// off; on a screen kept (a plain one) the count only falls, as a stop flushes
// the queue. A line finished meanwhile is counted too, and shows twice.
void recountunseen(bool screenkept);

void setmode(Mode mode);

void terminalsettitle(std::string_view title);
void terminalclearscreen();
void terminalsleepms(std::uint32_t milliseconds);
void terminalwaitkey();

// Starts the companion program detached, with its streams on /dev/null;
// nothing happens when it is missing.
void startconsole();

}  // namespace kavelta
