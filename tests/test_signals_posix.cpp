// Blocking the signals that need the terminal.
#include <gtest/gtest.h>
#include <signal.h>

#include <cerrno>
#include <cstring>

#include "shell/console_posix.hpp"

namespace kavelta {
namespace {

bool held(int signo) {
    sigset_t mask;
    sigprocmask(SIG_SETMASK, nullptr, &mask);
    return sigismember(&mask, signo) == 1;
}

// Inside a hold no caught signal, nor SIGTTOU, can come between a check of
// the terminal and what is done on it; after it the mask is as it was, and
// so is errno, which the hold's end must not touch.
TEST(SignalsBlocked, HoldsBackEverySignalTheTerminalNeedsThenLetsThemIn) {
    const int terminalsignals[] = {SIGINT,  SIGTERM, SIGHUP,  SIGQUIT,
                                   SIGTSTP, SIGCONT, SIGWINCH, SIGTTOU};
    {
        SignalsBlocked signals;
        for (int signo : terminalsignals) {
            EXPECT_TRUE(held(signo)) << strsignal(signo);
            EXPECT_FALSE(sigismember(&signals.before, signo)) << strsignal(signo);
        }
        errno = ETIMEDOUT;
    }
    EXPECT_EQ(errno, ETIMEDOUT);
    for (int signo : terminalsignals) {
        EXPECT_FALSE(held(signo)) << strsignal(signo);
    }
}

}  // namespace
}  // namespace kavelta
