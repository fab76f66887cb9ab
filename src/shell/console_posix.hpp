// The parts of the POSIX console, put together by console_posix.cpp:
// signals and giving the terminal back (signals_posix.cpp), the terminal
// and its device (terminal_posix.cpp), the key wait (keys_posix.cpp) and
// the companion's process (companion_posix.cpp).
#pragma once

#include <signal.h>
#include <termios.h>

#include <cstdint>
#include <string_view>

#include "shell/screenrecord.hpp"
#include "shell/streams.hpp"

namespace kavelta {

// Everything the console knows of the terminal, in one record. The signal
// handlers read `escapes`, `usersettings`, `held` and `fd`: those are written
// only before the handlers are caught or with the handled signals blocked
// (SignalsHeld). The handlers write `held` (giveback) and
// `continued` (only they do). The rest is the main flow's alone.
struct TerminalState {
    bool escapes = false;              // false where they show as text (TERM=dumb)
    struct termios usersettings = {};  // read the first time in the foreground
    volatile sig_atomic_t held = 0;    // the program's screen and settings are up
    volatile sig_atomic_t continued = 0;  // resumes so far

    int fd = -1;  // the terminal opened anew, read-write and non-blocking, or -1
    bool settingssaved = false;
    struct termios keywaitsettings = {};  // no line editing, no echo
    bool keymode = false;
    sig_atomic_t drawnat = 0;  // `continued` when the screen was last drawn
    unsigned long draws = 0;   // drawings of the whole screen so far
    char title[64] = {};       // the window title now
    ScreenRecord screen;
    // Bytes that came after a key while echo was off: shown, then read, as
    // the start of the next line.
    char hidden[4096] = {};
    std::size_t hiddenlength = 0;
};

extern TerminalState terminal;

// Holds back the handled signals, and SIGTTOU so that the terminal can be
// changed from the background, for as long as it lives; then puts the mask
// back as it was, errno kept. Every handler runs with them held, and every
// change of the terminal's state is made inside one.
struct SignalsHeld {
    SignalsHeld();
    ~SignalsHeld();
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;
    sigset_t before;  // the mask as it was, which a wait lets signals in with
};

// Catches the deadly signals, Ctrl-Z and the resume, each only where it is
// not ignored: a signal ignored at start (SIGHUP under nohup) stays ignored.
void catchterminalsignals();

// In a child: the caught signals back to their default and the mask as it
// was.
void resetterminalsignals(const sigset_t& mask);

// Puts back the user's screen and settings, if the program holds them.
// Async-signal-safe and repeat-safe; called with the handled signals
// blocked.
void giveback();

// True when the program's process group owns the terminal, or the terminal
// is not a controlling one. Async-signal-safe.
bool foreground();

// Writes `text` to the terminal, waiting for room at most `milliseconds` in
// all: a terminal that takes no output must not keep a deadly signal from
// ending the program. Async-signal-safe.
void writewithin(const char* text, std::size_t length, int milliseconds);

// Starts using the terminal on standard input and output: signals are
// caught, and once the program is in the foreground its screen and
// settings go on the terminal. Returns the device the streams use on it.
Device openterminal(bool escapes);
void restoreterminal();

// The terminal's functions that transfer or draw return a long: the bytes
// moved (0 for done), or minus an errno value (terminal_posix.cpp).

// Makes sure the program's screen and settings are on the terminal before
// it reads (`reading`) or writes: after a stop, in the foreground again,
// everything is drawn again; in the background the program stops, as the
// terminal would stop it, until `fg`. 0, -EIO when no job control can bring
// the program forward, or minus the cause of a failed write.
long holdterminal(bool reading);

// Waits for input on the terminal held and drawn, then takes what is there
// without waiting inside the read, so that no stop or resume goes unseen:
// the bytes read, 0 at the end, or minus the cause of a failure.
long readterminal(char* buffer, std::size_t size);

// One more byte, if the terminal has one within the time given and nothing
// stopped the program meanwhile.
bool readbytewithin(int milliseconds, unsigned char& byte);

// What a read of a terminal returned, but -1 (errno set) for the end of a
// terminal that has hung up: it reads as ended, and refuses to say how it
// is set. That end is a failure.
long endorhangup(long got);

// Line mode, or the key wait's mode (no line editing, no echo).
void setkeymode(bool on);

void terminalsettitle(std::string_view title);
void terminalclearscreen();
void terminalsleepms(std::uint32_t milliseconds);

// Keeps what the terminal has already received after a key, in key mode.
void keephiddentyped();

// One key press, shown nowhere.
void terminalwaitkey();

// Starts the companion program detached, with its streams on /dev/null;
// nothing happens when it is missing.
void startcompanion();

}  // namespace kavelta
