// Reading what the user types: menu choices and scores.
//
// Input is scanned in the stream's buffer a byte at a time, without the
// stream's formatting machinery. The program's standard input flushes its
// output before any read that could wait, so a prompt is always visible
// while the user types.
#pragma once

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

// True when the whole token is a real number that the stream's formatted
// extraction reads completely and without failing ("8", "8.5", "+8.5", ".5",
// "8.", "1e1"; not "8,5", "8abc", "inf", "nan", "0x10", "1e50"), with the
// value extraction gives.
bool parsescore(std::string_view token, float& value);

// Writes the prompt and reads one score. A refused entry discards the rest of
// its line, says so, and asks again with the same prompt. Returns false, with
// the stream's failbit set, only when input ends before a score was given.
bool readscore(std::istream& in, std::ostream& out, std::string_view prompt, float& value);

// A number entry as it was typed.
struct Typed {
    char text[maxtoken];
    std::size_t length = 0;
    std::string_view view() const { return std::string_view(text, length); }
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
