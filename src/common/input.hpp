// Reading what the user types: menu choices and scores.
//
// Input is scanned in the stream's buffer a run of bytes at a time, without
// the stream's formatting machinery, and the common entry is converted
// there, in place. The program's standard input flushes its output before
// any read that could wait, so a prompt is always visible while the user
// types.
#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

namespace kavelta {

// White space of the classic locale: blank, \t, \n, \v, \f, \r.
bool iswhite(int c);

// A number entry longer than this is refused: no score needs it, and a
// bounded token keeps memory bounded whatever is typed.
constexpr std::size_t maxtoken = 128;

// An entry of the one grammar, [sign] digits [. digits] [e [sign] digits]
// with digits on at least one side of the point, in parts: its value is
// `digits` times 10^scale. `digits` is the whole number its digits write,
// or, past 10^17, their first 17 or more significant ones, the scale
// counting the rest.
struct Decimal {
    bool negative = false;
    std::uint64_t digits = 0;
    long scale = 0;  // the exponent, less the digits after the point
};

// False when the whole of `token` is not of the grammar: "8,5", "inf",
// "nan", "0x10", "1e" and "." are not. An exponent of any length is taken,
// held at a million either way: past that no digit of a 128-byte entry is
// left in reach.
bool splitdecimal(std::string_view token, Decimal& parts);

// True when the whole token is a real number that the stream's formatted
// extraction reads completely and without failing ("8", "8.5", "+8.5", ".5",
// "8.", "1e1"; not "8,5", "8abc", "inf", "nan", "0x10", "1e50"), with the
// value extraction gives.
bool parsescore(std::string_view token, float& value);

// Writes the prompt and reads one score. A refused entry discards the rest of
// its line, says so, and asks again with the same prompt. Returns false, with
// the stream's failbit set, only when input ends before a score was given.
bool readscore(std::istream& in, std::ostream& out, std::string_view prompt, float& value);

// A number entry as it was typed: a view of the input's own buffer, good
// until the next read, or of `copy` where the entry did not lie whole in
// the buffer (one byte more than any accepted entry, to tell a long one
// apart).
struct Typed {
    char copy[maxtoken + 1];
    std::string_view text;
};

// Why a number is refused all the same, as the line that says so; null when
// it is taken.
using Check = const char* (*)(float value);

// As readscore, also keeping the entry as typed; then a number that `check`
// refuses discards the rest of its line, is answered with the check's line,
// and the same prompt comes again.
bool readchecked(std::istream& in, std::ostream& out, std::string_view prompt, Check check,
                 float& value, Typed& typed);

// Skips white space and blank lines, then takes the rest of the line without
// its line end and without trailing white space. A line longer than any
// command is kept only in part and can match nothing. Returns false, with the
// stream's failbit set, when input ends before a choice.
bool readchoice(std::istream& in, std::string& choice);

// Throws away what is left of the current input line, its line end included.
void discardline(std::istream& in);

}  // namespace kavelta
