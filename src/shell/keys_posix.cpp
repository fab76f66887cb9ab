// The key wait: one key press, read with line mode and echo off. Signal keys
// keep working, so Ctrl-C ends the program here as anywhere else, and
// Ctrl-Z stops it.
//
// Every byte typed is used in order, as a script's are: a key typed ahead
// (a pasted script) is taken from what has been read already before the
// terminal is read, and bytes that come after the key while echo is off are
// kept for the next line, which shows them first.

#include "shell/console_posix.hpp"
#include "shell/streams.hpp"

namespace kavelta {

namespace {

// The first byte of a key, read once the terminal is the program's again
// after any stop. False when the terminal has gone.
bool firstbyte(unsigned char& byte) {
    return readterminal(reinterpret_cast<char*>(&byte), 1) == 1;
}

// One more byte of a key: of a key typed ahead, from what was read with it;
// otherwise from the terminal, if it comes within the time given.
bool nextbyte(bool ahead, int milliseconds, unsigned char& byte) {
    return ahead ? taketypedahead(byte) : readbytewithin(milliseconds, byte);
}

// The rest of an escape sequence: CSI keys (arrows, function keys) end on a
// byte 0x40..0x7E, SS3 keys have one more byte, and the Linux console's F1
// to F5 are ESC [ [ and one letter. Alt and a key is ESC and the key.
void readrestofescape(bool ahead, int keygap) {
    unsigned char byte;
    if (!nextbyte(ahead, keygap, byte) || (byte != '[' && byte != 'O')) {
        return;
    }
    bool csi = byte == '[';
    if (!nextbyte(ahead, keygap, byte) || !csi) {
        return;
    }
    if (byte == '[') {
        nextbyte(ahead, keygap, byte);
        return;
    }
    while (!(byte >= 0x40 && byte <= 0x7e) && nextbyte(ahead, keygap, byte)) {
    }
}

// The rest of a key whose first byte was `first`: an escape sequence or the
// continuation bytes of a UTF-8 letter. A terminal sends a key's bytes
// together, so a short wait is enough; what follows the key is the next
// line's.
void readrestofkey(bool ahead, unsigned char first) {
    const int keygap = 50;
    if (first == 0x1b) {
        readrestofescape(ahead, keygap);
        return;
    }
    int continuation = first >= 0xf0 ? 3 : first >= 0xe0 ? 2 : first >= 0xc0 ? 1 : 0;
    unsigned char byte;
    while (continuation-- > 0 && nextbyte(ahead, keygap, byte)) {
    }
}

}  // namespace

// After a failed write nothing is waited for: the session is ending.
void terminalwaitkey() {
    if (!flushstreams()) {
        return;
    }
    unsigned char first;
    if (passanswerend() && taketypedahead(first)) {
        readrestofkey(true, first);
        return;
    }
    setkeymode(true);
    if (firstbyte(first)) {
        readrestofkey(false, first);
        keephiddentyped();
    }
    setkeymode(false);
}

}  // namespace kavelta
