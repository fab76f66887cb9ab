#include "common/input.hpp"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/decimal.hpp"
#include "common/display.hpp"

namespace kavelta {

// One entry a byte, as the bytes are scanned a great many at a time.
struct WhiteSpace {
    bool white[256] = {};
    constexpr WhiteSpace() {
        for (char c : {' ', '\t', '\n', '\v', '\f', '\r'}) {
            white[static_cast<unsigned char>(c)] = true;
        }
    }
};
constexpr WhiteSpace whitespace;

bool iswhite(int c) {
    return whitespace.white[static_cast<unsigned char>(c)];
}

namespace {

constexpr int endofinput = std::char_traits<char>::eof();

// The longest command alias is 27 bytes; anything longer can never match,
// so only this much of a choice is kept.
constexpr std::size_t maxchoice = 64;

// The bytes a stream has already taken in, seen a run at a time rather than
// a call per byte. std::streambuf shows its get area only to its own kind,
// so one of that kind lends the view. When a run is used up, sgetc() takes
// in more, as any read does: the output is flushed first, so a prompt shows.
struct Run : std::streambuf {
    static const char* begin(std::streambuf& buffer) { return (buffer.*&Run::gptr)(); }
    static const char* end(std::streambuf& buffer) { return (buffer.*&Run::egptr)(); }
    static void moveto(std::streambuf& buffer, const char* at) {
        (buffer.*&Run::gbump)(static_cast<int>(at - begin(buffer)));
    }
    static bool more(std::streambuf& buffer) { return buffer.sgetc() != endofinput; }
};

// The next byte that is not white space, left unread; endofinput if none.
int skipwhite(std::streambuf& buffer) {
    do {
        const char* at = Run::begin(buffer);
        const char* end = Run::end(buffer);
        while (at < end && iswhite(*at)) {
            ++at;
        }
        Run::moveto(buffer, at);
        if (at < end) {
            return static_cast<unsigned char>(*at);
        }
    } while (Run::more(buffer));
    return endofinput;
}

const char* findwhite(const char* at, const char* end) {
    while (at < end && !iswhite(*at)) {
        ++at;
    }
    return at;
}

// The entry that starts here, up to white space or the end of input, which
// stay unread: in place when the buffer holds it whole, otherwise gathered
// into `copy` as far as it has room.
std::string_view taketoken(std::streambuf& buffer, char (&copy)[maxtoken + 1]) {
    const char* at = Run::begin(buffer);
    const char* stop = findwhite(at, Run::end(buffer));
    if (stop < Run::end(buffer)) {
        Run::moveto(buffer, stop);
        return std::string_view(at, static_cast<std::size_t>(stop - at));
    }
    std::size_t length = 0;
    for (;;) {
        std::size_t room = sizeof copy - length;
        std::size_t piece = std::min(room, static_cast<std::size_t>(stop - at));
        std::memcpy(copy + length, at, piece);
        length += piece;
        Run::moveto(buffer, stop);
        if (stop < Run::end(buffer) || !Run::more(buffer)) {
            return std::string_view(copy, length);
        }
        at = Run::begin(buffer);
        stop = findwhite(at, Run::end(buffer));
    }
}

bool isdigit(char c) {
    return c >= '0' && c <= '9';
}

// Below this, one more digit always fits 64 bits.
constexpr std::uint64_t digitlimit = 100000000000000000;
constexpr long exponentlimit = 1000000;

// Takes the digits that start at `at` into `parts`; returns past them.
inline const char* takedigits(const char* at, const char* end, Decimal& parts) {
    std::uint64_t digits = parts.digits;
    long unkept = 0;
    for (; at < end && isdigit(*at); ++at) {
        if (digits < digitlimit) {
            digits = digits * 10 + static_cast<std::uint64_t>(*at - '0');
        } else {
            ++unkept;
        }
    }
    parts.digits = digits;
    parts.scale += unkept;
    return at;
}

// Reads the longest start of [at, end) that is a number of the grammar into
// `parts` and returns where it ends: `at` itself when none ("abc", "+",
// "."), the 'e' of "1e" or "1ex". Inline, as this and takedigits are most
// of the work of every entry read.
inline const char* scandecimal(const char* at, const char* end, Decimal& parts) {
    parts = Decimal();
    const char* start = at;
    if (at < end && (*at == '+' || *at == '-')) {
        parts.negative = *at++ == '-';
    }
    const char* integer = at;
    at = takedigits(at, end, parts);
    bool wholedigits = at > integer;
    if (at < end && *at == '.') {
        const char* fraction = ++at;
        at = takedigits(at, end, parts);
        parts.scale -= at - fraction;
        if (!wholedigits && at == fraction) {
            return start;
        }
    } else if (!wholedigits) {
        return start;
    }
    // The exponent counts only with a digit: "1e" is the number 1 and an 'e'.
    const char* e = at;
    if (at == end || (*at != 'e' && *at != 'E')) {
        return at;
    }
    ++at;
    bool negative = at < end && *at == '-';
    at += at < end && (*at == '+' || *at == '-');
    if (at == end || !isdigit(*at)) {
        return e;
    }
    long exponent = 0;
    for (; at < end && isdigit(*at); ++at) {
        exponent = std::min(exponent * 10 + (*at - '0'), exponentlimit);
    }
    parts.scale += negative ? -exponent : exponent;
    return at;
}

bool endinput(std::istream& in) {
    in.setstate(std::ios::eofbit | std::ios::failbit);
    return false;
}

// The common entry, digits that write a whole number below 2^24 (any of up
// to 7 digits) and a power of ten up to 10^10: both are exact floats, so one
// IEEE division or multiplication rounds the exact value once, correctly,
// to the float strtof gives. Where a float expression may be held wider
// than a float, never.
bool converteasy(const Decimal& parts, float& value) {
    static const float powers[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f,  1e5f,
                                   1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
    if (FLT_EVAL_METHOD != 0 || parts.digits >= (1u << 24) || parts.scale < -10 ||
        parts.scale > 10) {
        return false;
    }
    float whole = static_cast<float>(parts.digits);
    float magnitude = parts.scale < 0 ? whole / powers[-parts.scale] : whole * powers[parts.scale];
    value = parts.negative ? -magnitude : magnitude;
    return true;
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

// Any other entry of the grammar. Kept out of line: its buffer for strtof
// would otherwise weigh on every entry read.
[[gnu::noinline]] bool convertany(std::string_view token, float& value) {
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

// The common entry: one that the buffer holds whole, up to white space,
// of the grammar and converted by the fast path. Taken, or left unread.
bool takecommon(std::streambuf& buffer, float& value, std::string_view& typed) {
    const char* at = Run::begin(buffer);
    const char* end = Run::end(buffer);
    Decimal parts;
    const char* stop = scandecimal(at, end, parts);
    if (stop == end || !iswhite(*stop) || static_cast<std::size_t>(stop - at) > maxtoken ||
        !converteasy(parts, value)) {
        return false;
    }
    Run::moveto(buffer, stop);
    typed = std::string_view(at, static_cast<std::size_t>(stop - at));
    return true;
}

bool readentry(std::istream& in, std::ostream& out, std::string_view prompt, float& value,
               Typed& typed) {
    std::streambuf& buffer = *in.rdbuf();
    for (;;) {
        writetext(out, prompt);
        if (skipwhite(buffer) == endofinput) {
            return endinput(in);
        }
        // The white space after an accepted number stays unread: text left on
        // the line is the next thing read, as the user typed it.
        if (takecommon(buffer, value, typed.text)) {
            return true;
        }
        typed.text = taketoken(buffer, typed.copy);
        if (parsescore(typed.text, value)) {
            return true;
        }
        discardline(in);
        writetext(out, "So Khong Hop Le! Nhap Lai (Vd: 8.5)\n");
    }
}

}  // namespace

bool splitdecimal(std::string_view token, Decimal& parts) {
    const char* end = token.data() + token.size();
    return !token.empty() && scandecimal(token.data(), end, parts) == end;
}

bool parsescore(std::string_view token, float& value) {
    Decimal parts;
    if (token.size() > maxtoken || !splitdecimal(token, parts)) {
        return false;
    }
    return converteasy(parts, value) || convertany(token, value);
}

bool readscore(std::istream& in, std::ostream& out, std::string_view prompt, float& value) {
    Typed typed;
    return readentry(in, out, prompt, value, typed);
}

bool readchecked(std::istream& in, std::ostream& out, std::string_view prompt, Check check,
                 float& value, Typed& typed) {
    for (;;) {
        if (!readentry(in, out, prompt, value, typed)) {
            return false;
        }
        const char* refusal = check(value);
        if (refusal == nullptr) {
            return true;
        }
        discardline(in);
        writetext(out, refusal);
    }
}

namespace {

// Takes the rest of the line, its line end included, handing each run of it
// (without the line end) to `piece`.
template <typename Piece>
void takeline(std::streambuf& buffer, Piece piece) {
    do {
        const char* at = Run::begin(buffer);
        const char* end = Run::end(buffer);
        const void* found = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
        const char* lineend = found != nullptr ? static_cast<const char*>(found) : end;
        piece(at, lineend);
        Run::moveto(buffer, lineend + (found != nullptr));
        if (found != nullptr) {
            return;
        }
    } while (Run::more(buffer));
}

}  // namespace

bool readchoice(std::istream& in, std::string& choice) {
    std::streambuf& buffer = *in.rdbuf();
    if (skipwhite(buffer) == endofinput) {
        return endinput(in);
    }
    // The rest of the line, of which only maxchoice + 1 bytes are kept: a
    // cut-short choice keeps them all, so it still matches nothing; only
    // white space is dropped from any other.
    choice.clear();
    bool cutshort = false;
    takeline(buffer, [&](const char* at, const char* lineend) {
        std::size_t kept = std::min(static_cast<std::size_t>(lineend - at),
                                    maxchoice + 1 - choice.size());
        choice.append(at, kept);
        cutshort = cutshort || std::any_of(at + kept, lineend, [](char c) { return !iswhite(c); });
    });
    while (!cutshort && !choice.empty() && iswhite(static_cast<unsigned char>(choice.back()))) {
        choice.pop_back();
    }
    return true;
}

void discardline(std::istream& in) {
    takeline(*in.rdbuf(), [](const char*, const char*) {});
}

}  // namespace kavelta
