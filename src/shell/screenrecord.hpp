// What is on a terminal's screen since it was last cleared: the program's
// output, and the lines the user typed as the terminal echoed them, kept to
// draw the screen again after a stop or a resize. Plain code, no system
// call.
#pragma once

#include <cstddef>

namespace kavelta {

struct ScreenRecord {
    char text[16384];  // a screen holds far less; past it, the oldest lines go
    std::size_t length = 0;
};

// The program's own output, escape sequences included.
void recordoutput(ScreenRecord& record, const char* text, std::size_t length);

// Typed text as the terminal echoed it: control bytes in caret notation (ESC
// as "^[", DEL as "^?"), line ends and tabs as they are, so that a redraw
// shows what the user saw and carries out nothing they typed.
void recordtyped(ScreenRecord& record, const char* text, std::size_t length);

void clearrecord(ScreenRecord& record);

// Typed text from `text` on as the terminal's echo shows it, as much as
// `echo` holds; returns its length, with `text` moved past what it turned.
constexpr std::size_t echoroom = 512;
std::size_t echoform(const char*& text, const char* end, char (&echo)[echoroom]);

}  // namespace kavelta
