// The plain device: descriptors 0 and 1, through the C runtime's calls,
// which on Windows also turn line ends into CR LF and back, as the console
// expects.
#include <cerrno>

#include "shell/streams.hpp"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kavelta {

namespace {

#ifdef _WIN32
long readonce(char* buffer, std::size_t size) {
    return _read(0, buffer, static_cast<unsigned>(size));
}
long writeonce(const char* text, std::size_t length) {
    return _write(1, text, static_cast<unsigned>(length));
}
#else
long readonce(char* buffer, std::size_t size) { return read(STDIN_FILENO, buffer, size); }
long writeonce(const char* text, std::size_t length) { return write(STDOUT_FILENO, text, length); }
#endif

}  // namespace

long readstandardinput(char* buffer, std::size_t size, bool& unseen) {
    unseen = false;
    long got;
    while ((got = readonce(buffer, size)) < 0 && errno == EINTR) {
    }
    return got >= 0 ? got : -errno;
}

long writestandardoutput(const char* text, std::size_t length) {
    while (length > 0) {
        long written = writeonce(text, length);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            // A write that takes nothing of a non-empty text would never end.
            return written < 0 ? -errno : -EIO;
        }
        text += written;
        length -= static_cast<std::size_t>(written);
    }
    return 0;
}

}  // namespace kavelta
