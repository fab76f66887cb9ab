// Every calculator: the three of the main menu, then those of today's
// rules, which the menu does not show. Each reads its numbers from `in`,
// writes prompts and results to `out`, and sets only its own fields of the
// shell state. When input ends in the middle, a calculator returns at once,
// leaving `in` failed and writing nothing more.
#pragma once

#include <istream>
#include <ostream>

#include "common/shellstate.hpp"

namespace kavelta {

// Subject average from the regular tests, the midterm (counted twice) and
// the final (counted three times).
void tdtbm(ShellState& state, std::istream& in, std::ostream& out);

// Semester average over eleven subjects, and the student title it earns.
void tdtbhk(ShellState& state, std::istream& in, std::ostream& out);

// Year average from the two semester averages, the second counted twice.
void tdtbcn(ShellState& state, std::istream& in, std::ostream& out);

// The learning level of a semester or a year, Tot, Kha, Dat or Chua Dat,
// from the subjects' recorded averages.
void xlht(ShellState& state, std::istream& in, std::ostream& out);

// The lowest final-test score (in tenths) that brings a subject's recorded
// average to a target.
void dcd(ShellState& state, std::istream& in, std::ostream& out);

// The lowest final-test score (in tenths) of semester 2 that brings a
// subject's recorded year average to a target.
void dcdcn(ShellState& state, std::istream& in, std::ostream& out);

// The year's outcome: each subject's year average from its two semesters',
// the learning level, the award, and whether the student goes up a class.
void tknh(ShellState& state, std::istream& in, std::ostream& out);

// The graduation score from the three years' averages, the exams, the
// encouragement and priority points, and whether the student graduates.
void xtn(ShellState& state, std::istream& in, std::ostream& out);

// After the summer: the conduct re-assessed by the training and the
// re-tests' scores decide whether a student who was not yet going up does.
void xll(ShellState& state, std::istream& in, std::ostream& out);

// The lowest exam total that graduates a student, from the three years'
// averages and the points, and the mark it asks of each exam.
void dcdtn(ShellState& state, std::istream& in, std::ostream& out);

}  // namespace kavelta
