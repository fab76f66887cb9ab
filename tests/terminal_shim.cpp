// A terminal that misbehaves, preloaded into the program (LD_PRELOAD) by
// the tests that need one; each way is asked for in the environment:
//   KAVELTA_SHIM_UNREADABLE: the settings are read once, then never again
//     (EIO, as of a terminal gone); each tcsetattr says "<tcsetattr>" on
//     standard error.
//   KAVELTA_SHIM_WRITES=n: a write to a terminal takes at most n bytes.
//   KAVELTA_SHIM_LATE: a poll that does not wait finds nothing ready, as if
//     what is typed came a moment late.
// Everything is looked up before main, as a signal handler may call these.
//
// The shim defines the very functions that fortified headers wrap inline.
#undef _FORTIFY_SOURCE
#include <dlfcn.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace {

template <typename Function>
Function next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

auto realtcgetattr = next<int (*)(int, termios*)>("tcgetattr");
auto realtcsetattr = next<int (*)(int, int, const termios*)>("tcsetattr");
auto realwrite = next<ssize_t (*)(int, const void*, size_t)>("write");
auto realppoll = next<int (*)(pollfd*, nfds_t, const timespec*, const sigset_t*)>("ppoll");

const bool unreadable = std::getenv("KAVELTA_SHIM_UNREADABLE") != nullptr;
const bool late = std::getenv("KAVELTA_SHIM_LATE") != nullptr;
const size_t mostwritten = std::getenv("KAVELTA_SHIM_WRITES") != nullptr
                               ? std::strtoul(std::getenv("KAVELTA_SHIM_WRITES"), nullptr, 10)
                               : static_cast<size_t>(-1);
int readings = 0;

}  // namespace

extern "C" {

int tcgetattr(int fd, termios* settings) {
    if (unreadable && readings++ > 0) {
        errno = EIO;
        return -1;
    }
    return realtcgetattr(fd, settings);
}

int tcsetattr(int fd, int when, const termios* settings) {
    if (unreadable) {
        realwrite(STDERR_FILENO, "<tcsetattr>", 11);
    }
    return realtcsetattr(fd, when, settings);
}

ssize_t write(int fd, const void* text, size_t length) {
    return realwrite(fd, text, isatty(fd) ? std::min(length, mostwritten) : length);
}

int ppoll(pollfd* fds, nfds_t count, const timespec* timeout, const sigset_t* mask) {
    bool nowait = timeout != nullptr && timeout->tv_sec == 0 && timeout->tv_nsec == 0;
    return late && nowait ? 0 : realppoll(fds, count, timeout, mask);
}
}
