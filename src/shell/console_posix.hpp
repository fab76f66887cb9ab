// The parts of the POSIX console (console_posix.cpp): the terminal and its
// screen (terminal_posix.cpp), the key wait (keys_posix.cpp) and the
// companion's process (companion_posix.cpp).
#pragma once

#include <signal.h>

#include <cstdint>
#include <string_view>

namespace kavelta {

// Starts using the terminal on standard input and output: signals are
// caught, and once the program is in the foreground its screen and
// settings go on the terminal. `escapes` is false on a terminal that shows
// escape sequences as text (TERM=dumb): then only the settings change.
void openterminal(bool escapes);

// Puts back the user's screen and settings, if the program holds them.
// Safe to call any number of times.
void restoreterminal();

// Makes sure the program's screen and settings are on the terminal before
// it draws or reads: after a stop, in the foreground again, everything is
// put back; in the background the program stops, as the terminal would
// stop it, until `fg`. False when the terminal cannot be held (no job
// control can bring the program forward).
bool holdterminal();

// Line mode, or the key wait's mode (no line editing, no echo).
void setkeymode(bool on);

void terminalsettitle(std::string_view title);
void terminalclearscreen();
void terminalsleepms(std::uint32_t milliseconds);

// Blocks every signal the console handles, so that no handler runs in
// between; returns the signal mask to put back with restoresignals.
sigset_t blockterminalsignals();
void restoresignals(const sigset_t& mask);

// In a child: every handled signal back to its default and the signal mask
// as it was; signals ignored at start stay ignored.
void resetterminalsignals(const sigset_t& mask);

// One key press, shown nowhere.
void terminalwaitkey();

// Starts the companion program detached, with its streams on /dev/null;
// nothing happens when it is missing.
void startcompanion();

}  // namespace kavelta
