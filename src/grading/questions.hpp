// The questions today's calculators ask in common: a score, as typed or as
// recorded; a subject's average; a count of subjects; the year's results
// (the subjects, conduct, sessions missed); the three grades' averages; the
// exam count and the points. Each writes its prompt and refuses first what
// the numbers' grammar refuses, then what its own check refuses, each with
// its own line: the rest of the line is dropped and the same prompt comes
// again. Each returns false when input ends inside it.
#pragma once

#include <istream>
#include <ostream>
#include <string_view>

#include "common/number.hpp"
#include "common/shellstate.hpp"

namespace kavelta {

// The head, the number and the tail ("Nhap Diem Trung Binh Mon 12: "), built
// without allocating. The texts are the program's own, and fit.
std::string_view numberedtext(char (&text)[64], std::string_view head, int number,
                              std::string_view tail);

// True when `value` is a whole number from `low` to `high`.
bool wholein(float value, float low, float high);

// The line a score outside 0 to 10 is refused with; null for any other.
const char* scorerefusal(float value);

// A score from 0 to 10 (checked on the number read, as every check is), then
// taken from the decimal as typed.
bool readtypedscore(std::istream& in, std::ostream& out, std::string_view prompt,
                    Billionths& typed);

// The same, recorded as the grade book records it (7.45 is 7.5).
bool readrecordedscore(std::istream& in, std::ostream& out, std::string_view prompt,
                       Tenths& score);

// One scored subject's average, asked as "Nhap Diem Trung Binh Mon ", its
// number from 1 and `tail`; from 0 to 10, as typed, then recorded.
bool readsubjectaverage(std::istream& in, std::ostream& out, int subject, std::string_view tail,
                        Tenths& average);

// A count of subjects, a whole number from `low` to `high`, refused with
// "So Mon Phai La So Nguyen Tu <low> Den <high>! Nhap Lai".
bool readsubjectcount(std::istream& in, std::ostream& out, std::string_view prompt, int low,
                      int high, float& count);

// How one scored subject's average is asked: recorded into
// state.tbmon[subject].
using AverageDialogue = bool (*)(ShellState& state, std::istream& in, std::ostream& out,
                                 int subject);

// The count of scored subjects (6 to 15), each one's average by
// `readaverage`, then the count of comment subjects at Chua Dat (0 to 10)
// after `commentprompt`. Sets somondiem, tbmon and somonchuadat.
bool readlevelsubjects(ShellState& state, std::istream& in, std::ostream& out,
                       AverageDialogue readaverage, std::string_view commentprompt);

// A conduct rating, typed 1 Tot, 2 Kha, 3 Dat or 4 Chua Dat.
bool readconduct(std::istream& in, std::ostream& out, std::string_view prompt, float& conduct);

// A year's results: its subjects as readlevelsubjects asks them, then the
// year's conduct (renluyen) and the sessions missed in it (sobuoinghi).
bool readyearresults(ShellState& state, std::istream& in, std::ostream& out,
                     AverageDialogue readaverage, std::string_view commentprompt);

// For grades 10, 11 and 12 in turn, the count of scored subjects and each
// one's year average, recorded: somonlop and tbcnlop.
bool readgrades(ShellState& state, std::istream& in, std::ostream& out);

// The exams that count for graduation: 4, or 3 for a candidate exempt from
// the foreign-language exam (sobaithi).
bool readexamcount(ShellState& state, std::istream& in, std::ostream& out);

// The encouragement points, 0 to 2, as typed (diemkhuyenkhich), and the
// priority points, exactly 0, 0.25 or 0.5 (diemuutien).
bool readpoints(ShellState& state, std::istream& in, std::ostream& out);

}  // namespace kavelta
