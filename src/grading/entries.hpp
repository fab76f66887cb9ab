// What the calculators of one subject share: the dialogue for its scores
// (the count of regular tests, each regular score, the midterm), the checks
// on what is typed, and, for today's rules, the lowest final-test score that
// reaches a target.
#pragma once

#include <istream>
#include <ostream>
#include <string_view>

#include "common/number.hpp"
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

// The head, the number and the tail ("Nhap Diem Trung Binh Mon 12: "), built
// without allocating. The texts are the program's own, and fit.
std::string_view numberedtext(char (&text)[64], std::string_view head, int number,
                              std::string_view tail);

// True when `value` is a whole number from `low` to `high`.
bool wholein(float value, float low, float high);

// A score from 0 to 10 (checked on the number read, as every check is), then
// taken from the decimal as typed.
bool readtypedscore(std::istream& in, std::ostream& out, std::string_view prompt,
                    Billionths& typed);

// The same, recorded as the grade book records it (7.45 is 7.5).
bool readrecordedscore(std::istream& in, std::ostream& out, std::string_view prompt,
                       Tenths& score);

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
