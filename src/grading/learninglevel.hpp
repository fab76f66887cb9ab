// The learning level of a semester or a year under today's rules, Tot,
// Kha, Dat or Chua Dat, from the recorded averages of the subjects assessed
// by scores and the count of subjects assessed by comment rated Chua Dat;
// and the dialogue that asks for them. Conduct is rated on the same four
// levels.
#pragma once

#include <istream>
#include <ostream>
#include <string_view>

#include "common/shellstate.hpp"

namespace kavelta {

enum Level { chuadat, dat, kha, tot };

const char* levelname(Level level);

// Each level asks for at least six scored subjects at a bound.
constexpr int subjectsatbound = 6;

// How many of the first `count` averages are `bound` or more.
int countatleast(const Tenths* averages, int count, Tenths bound);

// One scored subject's average, asked as "Nhap Diem Trung Binh Mon ", its
// number from 1 and `tail`; from 0 to 10, as typed, then recorded.
bool readsubjectaverage(std::istream& in, std::ostream& out, int subject, std::string_view tail,
                        Tenths& average);

// Asks for a count of scored subjects, a whole number from 6 to 15, as
// `prompt`.
bool readsubjectcount(std::istream& in, std::ostream& out, std::string_view prompt, float& count);

// How one scored subject's average is asked: recorded into
// state.tbmon[subject]. False when input ends inside.
using AverageDialogue = bool (*)(ShellState& state, std::istream& in, std::ostream& out,
                                 int subject);

// Asks for the count of scored subjects (a whole number from 6 to 15), each
// one's average by `readaverage`, then the count of comment subjects at
// Chua Dat (0 to 10) after `commentprompt`. Sets somondiem, tbmon and
// somonchuadat. False when input ends inside.
bool readlevelsubjects(ShellState& state, std::istream& in, std::ostream& out,
                       AverageDialogue readaverage, std::string_view commentprompt);

struct LearningLevel {
    Level level;    // as it counts, after any raise
    Level byrules;  // as the rules alone give it: one below `level` when raised
};

// The level of somondiem averages in tbmon with somonchuadat comment
// subjects at Chua Dat, raised one level when one single subject keeps it
// two or more below.
LearningLevel learninglevel(const ShellState& state);

// The label, the level, and where it was raised from, then a line end.
void writelevel(std::ostream& out, std::string_view label, const LearningLevel& found);

}  // namespace kavelta
