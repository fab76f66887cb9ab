// Going up a class under today's rules: conduct, rated on the learning
// level's four levels; the sessions a student may miss; the averages that
// go to the summer re-test; and the outcome when the year alone decides it.
#pragma once

#include <ostream>

#include "common/shellstate.hpp"
#include "grading/learninglevel.hpp"

namespace kavelta {

// The year's averages below 5 go to the summer re-test.
constexpr Tenths retestbelow = 5_tenths;

// Conduct as typed: 1 for Tot down to 4 for Chua Dat.
Level conductlevel(float typed);

// Writes the outcome and returns true when the year alone decides it: more
// than 45 sessions missed keep the student down whatever else; conduct and
// learning level both Dat or better take them up. False, with nothing
// written, when the summer decides.
bool writedecided(std::ostream& out, const ShellState& state, Level conduct, Level learning);

}  // namespace kavelta
