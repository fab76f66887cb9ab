#include "common/input.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/display.hpp"

namespace kavelta {

namespace {

constexpr int endofinput = std::char_traits<char>::eof();

// The longest command alias is 27 bytes; anything longer can never match,
// so only this much of a choice is kept.
constexpr std::size_t maxchoice = 64;

int skipwhite(std::streambuf& buffer) {
    int c = buffer.sgetc();
    while (c != endofinput && iswhite(c)) {
        c = buffer.snextc();
    }
    return c;
}

bool endinput(std::istream& in) {
    in.setstate(std::ios::eofbit | std::ios::failbit);
    return false;
}

bool isdigit(char c) {
    return c >= '0' && c <= '9';
}

// How many digits start at `at`; `at` moves past them.
std::size_t skipdigits(std::string_view token, std::size_t& at) {
    std::size_t from = at;
    while (at < token.size() && isdigit(token[at])) {
        ++at;
    }
    return at - from;
}

// What formatted extraction reads whole: [sign] digits [. digits]
// [e [sign] digits], with digits on at least one side of the point. Not
// "inf", "nan" or hexadecimal forms, which the conversions below would
// take.
bool isdecimal(std::string_view token) {
    std::size_t at = token.size() > 0 && (token[0] == '+' || token[0] == '-') ? 1 : 0;
    std::size_t digits = skipdigits(token, at);
    if (at < token.size() && token[at] == '.') {
        digits += skipdigits(token, ++at);
    }
    if (digits == 0) {
        return false;
    }
    if (at < token.size() && (token[at] == 'e' || token[at] == 'E')) {
        ++at;
        if (at < token.size() && (token[at] == '+' || token[at] == '-')) {
            ++at;
        }
        if (skipdigits(token, at) == 0) {
            return false;
        }
    }
    return at == token.size();
}

// strtof, which extraction uses, rounds correctly to single precision; a
// value too small for a float comes out as zero or the nearest subnormal,
// as extraction takes it, and one too large as an infinity, which
// extraction refuses. The program never changes the C locale, so the
// decimal point is always '.'.
bool convert(std::string_view token, float& value) {
    char text[maxtoken + 1];
    std::memcpy(text, token.data(), token.size());
    text[token.size()] = '\0';
    float converted = std::strtof(text, nullptr);
    if (std::isinf(converted)) {
        return false;
    }
    value = converted;
    return true;
}

}  // namespace

bool iswhite(int c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool parsescore(std::string_view token, float& value) {
    if (token.size() > maxtoken || !isdecimal(token)) {
        return false;
    }
#ifdef __cpp_lib_to_chars
    // The same, many times faster, where the library has it; it gives no
    // value out of range, where strtof tells underflow from overflow.
    float converted;
    const char* first = token.data() + (token[0] == '+' ? 1 : 0);
    const char* last = token.data() + token.size();
    std::from_chars_result result = std::from_chars(first, last, converted);
    if (result.ec == std::errc() && result.ptr == last) {
        value = converted;
        return true;
    }
#endif
    return convert(token, value);
}

namespace {

bool readentry(std::istream& in, std::ostream& out, std::string_view prompt, float& value,
               char (&token)[maxtoken + 1], std::size_t& length) {
    std::streambuf& buffer = *in.rdbuf();
    for (;;) {
        writetext(out, prompt);
        int c = skipwhite(buffer);
        if (c == endofinput) {
            return endinput(in);
        }
        // One byte more than any accepted entry, to tell a long one apart.
        length = 0;
        while (c != endofinput && !iswhite(c)) {
            if (length < sizeof token) {
                token[length++] = static_cast<char>(c);
            }
            c = buffer.snextc();
        }
        // The white space after an accepted number stays unread: text left on
        // the line is the next thing read, as the user typed it.
        if (parsescore(std::string_view(token, length), value)) {
            return true;
        }
        discardline(in);
        writetext(out, "So Khong Hop Le! Nhap Lai (Vd: 8.5)\n");
    }
}

}  // namespace

bool readscore(std::istream& in, std::ostream& out, std::string_view prompt, float& value) {
    char token[maxtoken + 1];
    std::size_t length;
    return readentry(in, out, prompt, value, token, length);
}

bool readchecked(std::istream& in, std::ostream& out, std::string_view prompt, Check check,
                 float& value, Typed& typed) {
    char token[maxtoken + 1];
    for (;;) {
        if (!readentry(in, out, prompt, value, token, typed.length)) {
            return false;
        }
        const char* refusal = check(value);
        if (refusal == nullptr) {
            std::memcpy(typed.text, token, typed.length);
            return true;
        }
        discardline(in);
        writetext(out, refusal);
    }
}

bool readchoice(std::istream& in, std::string& choice) {
    std::streambuf& buffer = *in.rdbuf();
    int c = skipwhite(buffer);
    if (c == endofinput) {
        return endinput(in);
    }
    choice.clear();
    bool cutshort = false;
    while (c != endofinput && c != '\n') {
        if (choice.size() <= maxchoice) {
            choice.push_back(static_cast<char>(c));
        } else if (!iswhite(c)) {
            cutshort = true;
        }
        c = buffer.snextc();
    }
    if (c == '\n') {
        buffer.sbumpc();
    }
    // A cut-short choice keeps its full maxchoice + 1 bytes, so it still
    // matches nothing; only white space was dropped from any other.
    while (!cutshort && !choice.empty() && iswhite(static_cast<unsigned char>(choice.back()))) {
        choice.pop_back();
    }
    return true;
}

void discardline(std::istream& in) {
    std::streambuf& buffer = *in.rdbuf();
    for (int c = buffer.sgetc(); c != endofinput; c = buffer.snextc()) {
        if (c == '\n') {
            buffer.sbumpc();
            return;
        }
    }
}

}  // namespace kavelta
