// The key wait: one key press, read with line mode and echo off. Signal keys
// keep working, so Ctrl-C ends the program here as anywhere else, and
// Ctrl-Z stops it; a resize draws the screen again and is no key.
//
// Every byte typed is used in order, as a script's are: a key typed ahead
// (a pasted script) is taken from what was read in before the terminal is
// read; bytes after the key, typed with echo off, go to the next line,
// unseen. The key is shown nowhere: whether it was on the screen is no
// matter.
#include <algorithm>

#include "shell/console_posix.hpp"
#include "shell/streams.hpp"

namespace kavelta {

namespace {

// Where a key's bytes come from: what was read in with it, or the terminal.
enum class Source { typedahead, terminal };

// A terminal sends a key's bytes together, so a short wait is enough for
// the rest of it; what follows the key is the next line's.
constexpr long keygapnanoseconds = 50000000;

bool anybyte(unsigned char) { return true; }
bool continuationbyte(unsigned char byte) { return byte >= 0x80 && byte <= 0xbf; }

// The next byte, when it comes and `belongs` to the key; any other is the
// next line's, left where it was read in or kept unseen (echo was off).
bool nextbyte(Source source, unsigned char& byte, bool (*belongs)(unsigned char) = anybyte) {
    struct timespec gap = {0, keygapnanoseconds};
    if (source == Source::typedahead) {
        return taketypedahead(byte, belongs);
    }
    long got = readterminal(reinterpret_cast<char*>(&byte), 1, &gap);
    if (got == 1 && !belongs(byte)) {
        keepunseen(reinterpret_cast<char*>(&byte), 1);
    }
    return got == 1 && belongs(byte);
}

// The rest of an escape sequence: CSI keys (arrows, function keys) end on a
// byte 0x40..0x7E, SS3 keys have one more byte, and the Linux console's F1
// to F5 are ESC [ [ and one letter. Alt and a key is ESC and the key. Where
// a byte does not come, the key is what came.
void readrestofescape(Source source) {
    unsigned char byte;
    if (!nextbyte(source, byte) || (byte != '[' && byte != 'O')) {
        return;
    }
    bool csi = byte == '[';
    if (!nextbyte(source, byte) || !csi) {
        return;
    }
    if (byte == '[') {
        nextbyte(source, byte);
        return;
    }
    while (!(byte >= 0x40 && byte <= 0x7e) && nextbyte(source, byte)) {
    }
}

// The rest of a key whose first byte was `first`: an escape sequence or the
// continuation bytes of a UTF-8 letter, as many as come (a Latin-1 0xE0 is
// a key alone).
void readrestofkey(Source source, unsigned char first) {
    if (first == 0x1b) {
        readrestofescape(source);
        return;
    }
    int continuation = first >= 0xf0 ? 3 : first >= 0xe0 ? 2 : first >= 0xc0 ? 1 : 0;
    unsigned char byte;
    while (continuation-- > 0 && nextbyte(source, byte, continuationbyte)) {
    }
}

// What the terminal has received after the key, kept for the next line;
// what does not fit, or comes later, stays in its queue, unseen. A failed
// read ends it: the next read meets the failure and reports it.
void keepafterkey() {
    char typed[256];
    struct timespec none = {0, 0};
    long got = 1;
    while (got > 0 && unseenroom() > 0) {
        got = readterminal(typed, std::min(sizeof typed, unseenroom()), &none);
        keepunseen(typed, static_cast<std::size_t>(std::max(got, 0L)));
    }
    recountunseen(false);
}

}  // namespace

// After a failed write nothing is waited for: the session is ending. A
// failed read is met again by the next read, which reports it.
void terminalwaitkey() {
    if (!flushstreams()) {
        return;
    }
    unsigned char first;
    if (passanswerend() && taketypedahead(first)) {
        readrestofkey(Source::typedahead, first);
        return;
    }
    setmode(Mode::key);
    if (readterminal(reinterpret_cast<char*>(&first), 1, nullptr) == 1) {
        readrestofkey(Source::terminal, first);
        keepafterkey();
    }
    setmode(Mode::line);
}

}  // namespace kavelta
