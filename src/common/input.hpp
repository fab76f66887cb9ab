// Reading what the user types: menu choices and scores, scanned as the
// numbers' grammar says (common/number.hpp).
//
// Input is scanned in the stream's buffer a run of bytes at a time, without
// the stream's formatting machinery, and the common entry is converted
// there, in place. The program's standard input flushes its output before
// any read that could wait, so a prompt is always visible while the user
// types.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "common/number.hpp"

namespace kavelta {

// White space of the classic locale: blank, \t, \n, \v, \f, \r.
bool iswhite(int c);

// Writes the prompt and reads one score. A refused entry discards the rest of
// its line, says so, and asks again with the same prompt. Returns false, with
// the stream's failbit set, only when input ends before a score was given.
bool readscore(std::istream& in, std::ostream& out, std::string_view prompt, float& value);

// Why a number is refused all the same, as the line that says so; null when
// it is taken.
using Check = const char* (*)(float value);

// As readscore, also keeping the entry's parts, its value as typed; then a
// number that `check` refuses discards the rest of its line, is answered
// with the check's line, and the same prompt comes again. A null `check`
// takes any number.
bool readchecked(std::istream& in, std::ostream& out, std::string_view prompt, Check check,
                 float& value, Decimal& parts);

// Skips white space and blank lines, then takes the rest of the line without
// its line end and without trailing white space. A line longer than any
// command is kept only in part and can match nothing. Returns false, with the
// stream's failbit set, when input ends before a choice.
bool readchoice(std::istream& in, std::string& choice);

// Throws away what is left of the current input line, its line end included.
void discardline(std::istream& in);

}  // namespace kavelta
