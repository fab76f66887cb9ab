// What the calculators ask in common: the count of regular tests and their
// numbered prompts (the subject average and the final-test score needed),
// whole-number counts in a range, and scores from 0 to 10 taken as typed.
#pragma once

#include <istream>
#include <ostream>
#include <string_view>

#include "common/decimal.hpp"

namespace kavelta {

// Asks for the count of regular tests until it is a whole number from 0 to
// 10, one a student can have.
bool readcount(std::istream& in, std::ostream& out, float& n);

// "Nhap So Diem Kiem Tra Thuong Xuyen 3: ", for regular test 1 to 10.
std::string_view regularprompt(int number);

// The head, the number and ": " ("Nhap Diem Trung Binh Mon 12: "), built
// without allocating.
std::string_view numberedprompt(char (&text)[64], std::string_view head, int number);

// True when `value` is a whole number from `low` to `high`.
bool wholein(float value, float low, float high);

// A score from 0 to 10 (checked on the number read, as every check is), then
// taken from the decimal as typed.
bool readexactscore(std::istream& in, std::ostream& out, std::string_view prompt,
                    Billionths& value);

}  // namespace kavelta
