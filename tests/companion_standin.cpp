// Stands in for the companion console program in tests. It records that it
// started (on Linux with whether it ignores hangups, whether it started with
// signals blocked, its process id and what each of its descriptors points
// at) in "companion.marks" in its working directory, then stays alive for a
// few seconds, as a real companion would (KAVELTA_STANDIN_SECONDS, 5 by
// default), and records in "companion.ended" that it ended.
#include <cstdlib>
#include <fstream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <signal.h>
#include <unistd.h>
#endif

namespace {

std::string describe() {
    std::string line = "started";
#ifdef __linux__
    struct sigaction hangup {};
    sigaction(SIGHUP, nullptr, &hangup);
    line += hangup.sa_handler == SIG_IGN ? " hup=ignored" : " hup=default";
    sigset_t mask;
    sigprocmask(SIG_SETMASK, nullptr, &mask);
    int blocked = 0;
    for (int signo = 1; signo < NSIG; ++signo) {
        blocked += sigismember(&mask, signo) == 1;
    }
    line += blocked == 0 ? " blocked=none" : " blocked=some";
    line += " pid=" + std::to_string(getpid());
    DIR* fds = opendir("/proc/self/fd");
    if (fds != nullptr) {
        while (dirent* entry = readdir(fds)) {
            std::string fd = entry->d_name;
            if (fd == "." || fd == ".." || std::stoi(fd) == dirfd(fds)) {
                continue;
            }
            char target[512] = {};
            std::string link = "/proc/self/fd/" + fd;
            ssize_t n = readlink(link.c_str(), target, sizeof target - 1);
            line += " " + fd + "=" + std::string(target, n > 0 ? static_cast<std::size_t>(n) : 0);
        }
        closedir(fds);
    }
#endif
    return line;
}

}  // namespace

int main() {
    std::string line = describe();
    std::ofstream("companion.marks", std::ios::app) << line << "\n";
    const char* seconds = std::getenv("KAVELTA_STANDIN_SECONDS");
    int life = seconds != nullptr ? std::atoi(seconds) : 5;
#ifdef _WIN32
    Sleep(static_cast<DWORD>(life) * 1000);
#else
    sleep(static_cast<unsigned>(life));
#endif
    std::ofstream("companion.ended", std::ios::app) << "ended\n";
    return 0;
}
