#include "common/input.hpp"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace kavelta {

namespace {

constexpr int endofinput = std::char_traits<char>::eof();

// The longest command alias is 27 bytes; anything longer can never match,
// so only this much of a choice is kept.
constexpr std::size_t maxchoice = 64;

// The next byte without taking it.
int peekbyte(std::istream& in, std::ostream& out) {
    std::streambuf* buf = in.rdbuf();
    if (buf->in_avail() <= 0) {
        out.flush();
    }
    return buf->sgetc();
}

int nextbyte(std::istream& in, std::ostream& out) {
    in.rdbuf()->sbumpc();
    return peekbyte(in, out);
}

int skipwhite(std::istream& in, std::ostream& out) {
    int c = peekbyte(in, out);
    while (c != endofinput && iswhite(c)) {
        c = nextbyte(in, out);
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

std::size_t digitsat(std::string_view text, std::size_t& at) {
    std::size_t start = at;
    while (at < text.size() && isdigit(text[at])) {
        ++at;
    }
    return at - start;
}

// The grammar of a real number as formatted extraction reads it:
// [sign] digits [. digits] [e [sign] digits], with digits on at least one
// side of the point. No "inf", "nan" or hexadecimal forms.
bool isrealnumber(std::string_view text) {
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        ++at;
    }
    std::size_t mantissa = digitsat(text, at);
    if (at < text.size() && text[at] == '.') {
        ++at;
        mantissa += digitsat(text, at);
    }
    if (mantissa == 0) {
        return false;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            ++at;
        }
        if (digitsat(text, at) == 0) {
            return false;
        }
    }
    return at == text.size();
}

}  // namespace

bool iswhite(int c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool parsescore(std::string_view token, float& value) {
    if (token.size() > maxtoken || !isrealnumber(token)) {
        return false;
    }
    char text[maxtoken + 1];
    std::memcpy(text, token.data(), token.size());
    text[token.size()] = '\0';
    // strtof rounds correctly to single precision, as extraction does; like
    // extraction, a value too large for a float is refused rather than
    // turned into infinity.
    float parsed = std::strtof(text, nullptr);
    if (std::isinf(parsed)) {
        return false;
    }
    value = parsed;
    return true;
}

bool readscore(std::istream& in, std::ostream& out, std::string_view prompt, float& value) {
    for (;;) {
        out << prompt;
        int c = skipwhite(in, out);
        if (c == endofinput) {
            return endinput(in);
        }
        char token[maxtoken + 1];
        std::size_t length = 0;
        while (c != endofinput && !iswhite(c)) {
            if (length < sizeof token) {
                token[length++] = static_cast<char>(c);
            }
            c = nextbyte(in, out);
        }
        // The white space after an accepted number stays unread: text left on
        // the line is the next thing read, as the user typed it.
        if (parsescore(std::string_view(token, length), value)) {
            return true;
        }
        discardline(in, out);
        out << "So Khong Hop Le! Nhap Lai (Vd: 8.5)\n";
    }
}

bool readchoice(std::istream& in, std::ostream& out, std::string& choice) {
    int c = skipwhite(in, out);
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
        c = nextbyte(in, out);
    }
    if (c == '\n') {
        in.rdbuf()->sbumpc();
    }
    // A cut-short choice keeps its full maxchoice + 1 bytes, so it still
    // matches nothing; only white space was dropped from any other.
    while (!cutshort && !choice.empty() && iswhite(static_cast<unsigned char>(choice.back()))) {
        choice.pop_back();
    }
    return true;
}

void discardline(std::istream& in, std::ostream& out) {
    for (int c = peekbyte(in, out); c != endofinput; c = nextbyte(in, out)) {
        if (c == '\n') {
            in.rdbuf()->sbumpc();
            return;
        }
    }
}

}  // namespace kavelta
