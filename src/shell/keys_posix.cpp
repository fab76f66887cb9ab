// The key wait: one key press, read with line mode and echo off. Signal keys
// keep working, so Ctrl-C ends the program here as anywhere else, and
// Ctrl-Z stops it.

#include "shell/console_posix.hpp"
#include "shell/streams.hpp"

namespace kavelta {

namespace {

// The first byte of a key, read once the terminal is the program's again
// after any stop. False when the terminal has gone.
bool firstbyte(unsigned char& byte) {
    return readterminal(reinterpret_cast<char*>(&byte), 1) == 1;
}

// The rest of an escape sequence: CSI keys (arrows, function keys) end on a
// byte 0x40..0x7E, SS3 keys have one more byte, and the Linux console's F1
// to F5 are ESC [ [ and one letter. Alt and a key is ESC and the key.
void readrestofescape(int keygap) {
    unsigned char byte;
    if (!readbytewithin(keygap, byte) || (byte != '[' && byte != 'O')) {
        return;
    }
    bool csi = byte == '[';
    if (!readbytewithin(keygap, byte) || !csi) {
        return;
    }
    if (byte == '[') {
        readbytewithin(keygap, byte);
        return;
    }
    while (!(byte >= 0x40 && byte <= 0x7e) && readbytewithin(keygap, byte)) {
    }
}

// The rest of a key whose first byte was `first`: an escape sequence or the
// continuation bytes of a UTF-8 letter. A terminal sends a key's bytes
// together, so a short wait is enough; what follows the key stays unread.
void readrestofkey(unsigned char first) {
    const int keygap = 50;
    if (first == 0x1b) {
        readrestofescape(keygap);
        return;
    }
    int continuation = first >= 0xf0 ? 3 : first >= 0xe0 ? 2 : first >= 0xc0 ? 1 : 0;
    unsigned char byte;
    while (continuation-- > 0 && readbytewithin(keygap, byte)) {
    }
}

}  // namespace

// After a failed write nothing is waited for: the session is ending.
void terminalwaitkey() {
    if (!flushstreams()) {
        return;
    }
    setkeymode(true);
    unsigned char first;
    if (firstbyte(first)) {
        readrestofkey(first);
    }
    setkeymode(false);
}

}  // namespace kavelta
