// The companion program: started detached, never waited for, never left a
// zombie.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "shell/console_posix.hpp"
#include "shell/streams.hpp"

namespace kavelta {

namespace {

const char companionpath[] = "Tovamire/console";

// close_range came with Linux 5.9 and glibc 2.34; elsewhere, and where the
// kernel refuses it, every descriptor is closed one by one, open or not.
void closeinheriteddescriptors() {
#if defined(__linux__) && defined(__GLIBC__) && \
    (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    if (close_range(3, ~0U, 0) == 0) {
        return;
    }
#endif
    long last = sysconf(_SC_OPEN_MAX);
    if (last < 0 || last > 65536) {
        last = 65536;
    }
    for (int fd = 3; fd < last; ++fd) {
        close(fd);
    }
}

// In the grandchild: a session of its own, /dev/null for its streams, none
// of this program's descriptors, default signal handling; a step that fails
// leaves it less apart, never unstarted. A failed start is silent.
[[noreturn]] void execcompanion() {
    setsid();
    int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
    }
    closeinheriteddescriptors();
    execl(companionpath, "console", static_cast<char*>(nullptr));
    _exit(127);
}

}  // namespace

// Started through an intermediate child that exits at once and is reaped
// here: the companion is adopted by init, so it is never waited for and
// never left a zombie. Any failure is silent. Signals stay blocked across
// the fork until the child has dropped this program's handlers, which would
// otherwise redraw the user's terminal from the child.
void startconsole() {
    flushstreams();  // a failure is kept, and said by closestreams
    pid_t child;
    {
        SignalsBlocked signals;
        child = fork();
        if (child == 0) {
            resetterminalsignals(signals.before);
            pid_t grandchild = fork();
            if (grandchild == 0) {
                execcompanion();
            }
            _exit(0);
        }
    }
    while (child > 0 && waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace kavelta
