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

// The platform's console, with its mode fixed for the whole run. On POSIX,
// when standard input and output are both terminals the terminal's state is
// saved here and put back by closeconsole and on every deadly signal.
Console openconsole();

// Puts the terminal back as openconsole found it. Safe to call any number of
// times; writes standard output's pending text first.
void closeconsole();

}  // namespace kavelta
