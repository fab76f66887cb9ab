#include "shell/screenrecord.hpp"

#include <algorithm>
#include <cstring>

namespace kavelta {

void recordoutput(ScreenRecord& record, const char* text, std::size_t length) {
    const std::size_t size = sizeof record.text;
    if (length > size) {
        text += length - size;
        length = size;
    }
    if (record.length + length > size) {
        // Drop the oldest lines, through a line end, so that a redraw starts
        // at the start of a line.
        std::size_t drop = record.length + length - size;
        const void* lineend = std::memchr(record.text + drop, '\n', record.length - drop);
        drop = lineend != nullptr ? static_cast<const char*>(lineend) - record.text + 1
                                  : record.length;
        std::memmove(record.text, record.text + drop, record.length - drop);
        record.length -= drop;
    }
    std::memcpy(record.text + record.length, text, length);
    record.length += length;
}

void recordtyped(ScreenRecord& record, const char* text, std::size_t length) {
    char echo[echoroom];
    for (const char* end = text + length; text < end;) {
        recordoutput(record, echo, echoform(text, end, echo));
    }
}

std::size_t echoform(const char*& text, const char* end, char (&echo)[echoroom]) {
    std::size_t echoed = 0;
    for (; text < end && echoed + 2 <= echoroom; ++text) {
        unsigned char c = static_cast<unsigned char>(*text);
        if ((c < 0x20 && c != '\n' && c != '\t') || c == 0x7f) {
            echo[echoed++] = '^';
            echo[echoed++] = static_cast<char>(c ^ 0x40);
        } else {
            echo[echoed++] = *text;
        }
    }
    return echoed;
}

void clearrecord(ScreenRecord& record) { record.length = 0; }

}  // namespace kavelta
