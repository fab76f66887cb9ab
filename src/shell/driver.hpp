// The program's one loop: start-up, then the main menu until "4".
#pragma once

#include <istream>
#include <ostream>

#include "shell/console.hpp"

namespace kavelta {

// Runs a whole session and returns the exit status: 0 after "4" or when
// input ends at the menu, 1 when input ends inside a calculation (no result
// was produced).
int runshell(std::istream& in, std::ostream& out, const Console& console);

}  // namespace kavelta
