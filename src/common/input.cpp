#include "common/input.hpp"

#include <algorithm>
#include <cstring>
#include <string>

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

bool endinput(std::istream& in) {
    in.setstate(std::ios::eofbit | std::ios::failbit);
    return false;
}

// The common entry: one that the buffer holds whole, up to white space,
// of the grammar and converted by the fast path. Taken, or left unread.
bool takecommon(std::streambuf& buffer, float& value, Decimal& parts) {
    const char* at = Run::begin(buffer);
    const char* end = Run::end(buffer);
    const char* stop = scandecimal(at, end, parts);
    if (stop == end || !iswhite(*stop) || static_cast<std::size_t>(stop - at) > maxtoken ||
        !converteasy(parts, value)) {
        return false;
    }
    Run::moveto(buffer, stop);
    return true;
}

// Any other entry, up to white space, whole or not. Out of line, with its
// room for an entry cut by the buffer's end: the common entry needs
// neither.
[[gnu::noinline]] bool takeany(std::streambuf& buffer, float& value, Decimal& parts) {
    char copy[maxtoken + 1];
    return parsescore(taketoken(buffer, copy), value, parts);
}

bool readentry(std::istream& in, std::ostream& out, std::string_view prompt, float& value,
               Decimal& parts) {
    std::streambuf& buffer = *in.rdbuf();
    for (;;) {
        writetext(out, prompt);
        if (skipwhite(buffer) == endofinput) {
            return endinput(in);
        }
        // The white space after an accepted number stays unread: text left on
        // the line is the next thing read, as the user typed it.
        if (takecommon(buffer, value, parts)) {
            return true;
        }
        if (takeany(buffer, value, parts)) {
            return true;
        }
        discardline(in);
        writetext(out, "So Khong Hop Le! Nhap Lai (Vd: 8.5)\n");
    }
}

}  // namespace

bool readscore(std::istream& in, std::ostream& out, std::string_view prompt, float& value) {
    Decimal parts;
    return readentry(in, out, prompt, value, parts);
}

bool readchecked(std::istream& in, std::ostream& out, std::string_view prompt, Check check,
                 float& value, Decimal& parts) {
    for (;;) {
        if (!readentry(in, out, prompt, value, parts)) {
            return false;
        }
        const char* refusal = check == nullptr ? nullptr : check(value);
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
