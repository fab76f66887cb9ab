#include "common/input.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>
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

// from_chars reports a value too small for a float as out of range, as it
// does one too large, and gives no value. Extraction takes the first as
// zero (or the nearest subnormal) and refuses the second; strtof, which
// extraction uses, tells them apart.
bool outofrange(std::string_view token, float& value) {
    float parsed = std::strtof(std::string(token).c_str(), nullptr);
    if (std::isinf(parsed)) {
        return false;
    }
    value = parsed;
    return true;
}

}  // namespace

bool iswhite(int c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool parsescore(std::string_view token, float& value) {
    // Formatted extraction reads [sign] digits [. digits] [e [sign] digits],
    // with digits on at least one side of the point. from_chars reads the
    // same but for the plus sign, and also reads "inf" and "nan", which
    // extraction refuses: a number must start with a digit or a point
    // after its one sign.
    std::size_t digitsfrom = token.size() > 0 && (token[0] == '+' || token[0] == '-') ? 1 : 0;
    if (token.size() > maxtoken || token.size() == digitsfrom ||
        !(isdigit(token[digitsfrom]) || token[digitsfrom] == '.')) {
        return false;
    }
    // from_chars rounds correctly to single precision, as extraction does.
    const char* first = token.data() + (token[0] == '+' ? 1 : 0);
    const char* last = token.data() + token.size();
    float parsed;
    std::from_chars_result result = std::from_chars(first, last, parsed);
    if (result.ec == std::errc::result_out_of_range && result.ptr == last) {
        return outofrange(token, value);
    }
    if (result.ec != std::errc() || result.ptr != last) {
        return false;
    }
    value = parsed;
    return true;
}

bool readscore(std::istream& in, std::ostream& out, std::string_view prompt, float& value) {
    std::streambuf& buffer = *in.rdbuf();
    for (;;) {
        writetext(out, prompt);
        int c = skipwhite(buffer);
        if (c == endofinput) {
            return endinput(in);
        }
        // One byte more than any accepted entry, to tell a long one apart.
        char token[maxtoken + 1];
        std::size_t length = 0;
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
