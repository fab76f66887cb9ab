// The five console operations the shell needs beyond writing text. They are
// handed to the driver as a plain record of functions, so that a test can
// drive a whole session with a console that only records what was asked.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace kavelta {

struct Console {
    std::function<void(std::string_view title)> settitle;
    std::function<void()> clearscreen;
    std::function<void()> waitkey;  // one key press, shown nowhere
    std::function<void()> startconsole;  // the companion program, not waited for
    std::function<void(std::uint32_t milliseconds)> sleepms;
};

// The platform's console, with its mode fixed for the whole run, and
// std::cin and std::cout on the program's own buffer. On POSIX, when
// standard input and output are both terminals the terminal's state is
// saved once the program is in the foreground, and put back by closeconsole,
// on every deadly signal and while the program is stopped.
Console openconsole();

// Writes standard output's pending text and puts the terminal back as
// openconsole found it. Returns the exit status: `status` after a sound run,
// failurestatus (with one line on standard error) after a failed read of
// standard input or write of standard output.
int closeconsole(int status);

}  // namespace kavelta
