// The graduation score under today's rules: the three years' averages, and
// the score an exam total gives with them, each rounded half up to
// hundredths on its exact value.
#pragma once

#include <ostream>

#include "common/shellstate.hpp"

namespace kavelta {

// A student graduates with a score of 5 or more (and no exam at 1 or below).
constexpr Hundredths passingscore = 5_hundredths;

// Each grade's mean of its recorded year averages (tblop), then the years'
// average, their mean weighted 1, 2, 3 for grades 10, 11, 12 (tbcacnam),
// each written on a line of its own.
void writeyearsaverage(ShellState& state, std::ostream& out);

// ((exams + encouragement) / n + years' average) / 2 + priority, for n =
// sobaithi exams that total `exams`.
Hundredths graduationscore(const ShellState& state, Billionths exams);

}  // namespace kavelta
