// What the calculators of one subject share: the dialogue for its scores
// (the count of regular tests, each regular score, the midterm), and, for
// today's rules, the subject's recorded average and the lowest final-test
// score that reaches a target.
#pragma once

#include <istream>
#include <ostream>

#include "common/shellstate.hpp"

namespace kavelta {

// How a subject's scores are taken: as the subject average always has, any
// number, as floats only; or by today's rules, each from 0 to 10 and also as
// typed. Only a checked score has billionths that surely fit.
enum class Scores { any, fromzerototen };

// Asks for the count of regular tests (a whole number from 0 to 10, one a
// student can have), each regular score and the midterm. Sets n, sochia,
// tongtx and diemgk, and tongtxtyped and diemgktyped: the scores as typed
// with Scores::fromzerototen, 0 otherwise. False when input ends inside.
bool readsubjectscores(ShellState& state, std::istream& in, std::ostream& out, Scores scores);

// The subject's average with a final score of `final`, computed exactly from
// the scores as typed, and recorded.
Tenths recordedaverage(const ShellState& state, Tenths final);

// The year's average from the two semesters' recorded ones:
// (semester 1 + 2 x semester 2) / 3, computed exactly and recorded.
Tenths recordedyear(Tenths semester1, Tenths semester2);

// The lowest final score, in tenths from 0 to 10, at which `average` (a
// recorded average that never falls as the final score rises) reaches
// state.muctieu; 10 when none does. Writes the line that says which, and
// sets diemckcan.
void findfinalneeded(ShellState& state, std::ostream& out,
                     Tenths (*average)(const ShellState& state, Tenths final));

}  // namespace kavelta
