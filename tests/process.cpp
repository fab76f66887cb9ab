#include "process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kavelta::testing {

double now() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

std::string temporaryfolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder != nullptr && folder[0] != '\0' ? folder : "/tmp";
}

WorkDir::WorkDir() {
    std::string name = temporaryfolder() + "/kavelta-test-XXXXXX";
    if (mkdtemp(name.data()) != nullptr) {
        path = name;
    }
}

WorkDir::~WorkDir() {
    std::error_code ignored;
    if (!path.empty()) {
        std::filesystem::remove_all(path, ignored);
    }
}

namespace {

// A file of its own in the temporary folder, already unlinked: gone when
// it is closed.
int anonymousfile() {
    std::string name = temporaryfolder() + "/kavelta-XXXXXX";
    int fd = mkstemp(name.data());
    unlink(name.c_str());
    return fd;
}

}  // namespace

void writefile(const std::string& path, const std::string& content, bool executable) {
    std::ofstream(path, std::ios::binary) << content;
    if (executable) {
        chmod(path.c_str(), 0755);
    }
}

std::string readfile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

namespace {

[[noreturn]] void execin(const std::vector<std::string>& argv, const std::string& workdir) {
    if (!workdir.empty() && chdir(workdir.c_str()) != 0) {
        _exit(126);
    }
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
}

}  // namespace

namespace {

// Everything left to read on `fd`, which is then closed.
std::string readall(int fd) {
    std::string all;
    char buffer[65536];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) != 0) {
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            break;
        }
        all.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    return all;
}

// Descriptors that are not standard streams do not reach the program.
int keepfromchild(int fd) {
    if (fd >= 0) {
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    return fd;
}

// Standard output into `outputfd`, or into a pipe read back into `output`
// when `outputfd` is `capture`; standard error into `errors`.
constexpr int capture = -2;

Finished runcapturing(const std::vector<std::string>& argv, int inputfd, int outputfd,
                      const std::string& workdir) {
    int pipefds[2] = {-1, -1};
    if (outputfd == capture && pipe2(pipefds, O_CLOEXEC) == 0) {
        outputfd = pipefds[1];
    }
    int errorfd = keepfromchild(anonymousfile());
    keepfromchild(inputfd);
    keepfromchild(outputfd);
    double start = now();
    pid_t pid = fork();
    if (pid == 0) {
        // A descriptor given as -1 stays closed.
        inputfd < 0 ? close(STDIN_FILENO) : dup2(inputfd, STDIN_FILENO);
        outputfd < 0 ? close(STDOUT_FILENO) : dup2(outputfd, STDOUT_FILENO);
        dup2(errorfd, STDERR_FILENO);
        execin(argv, workdir);
    }
    for (int fd : {inputfd, outputfd}) {
        if (fd >= 0) {
            close(fd);
        }
    }
    Finished finished{};
    if (pipefds[0] >= 0) {
        finished.output = readall(pipefds[0]);
    }
    rusage usage{};
    wait4(pid, &finished.status, 0, &usage);
    finished.seconds = now() - start;
    finished.maxrsskib = usage.ru_maxrss;
    lseek(errorfd, 0, SEEK_SET);
    finished.errors = readall(errorfd);
    return finished;
}

Finished runwithinput(const std::vector<std::string>& argv, int inputfd,
                      const std::string& workdir) {
    return runcapturing(argv, inputfd, capture, workdir);
}

}  // namespace

Finished runwith(const std::vector<std::string>& argv, int inputfd, int outputfd) {
    return runcapturing(argv, inputfd, outputfd, "");
}

Finished runpiped(const std::vector<std::string>& argv, const std::string& input,
                  const std::string& workdir) {
    int inputfd = anonymousfile();
    for (std::size_t done = 0; done < input.size();) {
        ssize_t n = write(inputfd, input.data() + done, input.size() - done);
        if (n <= 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    lseek(inputfd, 0, SEEK_SET);
    return runwithinput(argv, inputfd, workdir);
}

Finished runpipedfrom(const std::vector<std::string>& argv, const std::string& inputpath,
                      const std::string& workdir) {
    return runwithinput(argv, open(inputpath.c_str(), O_RDONLY), workdir);
}

OnTerminal startonterminal(const std::vector<std::string>& argv, const std::string& workdir,
                           bool saidelsewhere) {
    OnTerminal run;
    winsize size{};
    size.ws_row = 30;
    size.ws_col = 100;
    if (openpty(&run.master, &run.slave, nullptr, nullptr, &size) != 0) {
        return run;
    }
    int said[2] = {-1, -1};
    if (saidelsewhere && pipe2(said, O_CLOEXEC) == 0) {
        run.output = said[0];
    }
    tcgetattr(run.slave, &run.initial);
    run.started = now();
    run.pid = fork();
    if (run.pid == 0) {
        // As a terminal starts its shell: whatever signals the test was
        // started with blocked or ignored (a test runner may block SIGCHLD),
        // none reaches the program.
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        for (int signo = 1; signo < NSIG; ++signo) {
            signal(signo, SIG_DFL);
        }
        setsid();
        ioctl(run.slave, TIOCSCTTY, 0);
        dup2(run.slave, STDIN_FILENO);
        dup2(said[1] >= 0 ? said[1] : run.slave, STDOUT_FILENO);
        dup2(said[1] >= 0 ? said[1] : run.slave, STDERR_FILENO);
        close(run.master);
        close(run.slave);
        setenv("TERM", "xterm-256color", 1);
        execin(argv, workdir);
    }
    if (said[1] >= 0) {
        close(said[1]);
    }
    return run;
}

namespace {

// Reads what is there within `seconds`, on the terminal and elsewhere;
// false when nothing came.
bool readsome(OnTerminal& run, double seconds) {
    pollfd ready[] = {{run.master, POLLIN, 0}, {run.output, POLLIN, 0}};
    if (poll(ready, 2, static_cast<int>(seconds * 1000)) <= 0) {
        return false;
    }
    bool some = false;
    for (const pollfd& source : ready) {
        char buffer[4096];
        ssize_t n = source.revents != 0 ? read(source.fd, buffer, sizeof buffer) : 0;
        if (n > 0) {
            std::string& into = source.fd == run.master ? run.seen : run.said;
            into.append(buffer, static_cast<std::size_t>(n));
            some = true;
        }
    }
    return some;
}

bool waitfor(OnTerminal& run, const std::string& where, const std::string& text, double seconds,
             std::size_t from) {
    double deadline = now() + seconds;
    while (where.find(text, from) == std::string::npos) {
        double left = deadline - now();
        if (left <= 0) {
            return false;
        }
        readsome(run, left < 0.05 ? left : 0.05);
    }
    return true;
}

}  // namespace

bool waitfortext(OnTerminal& run, const std::string& text, double seconds, std::size_t from) {
    return waitfor(run, run.seen, text, seconds, from);
}

bool waitforsaid(OnTerminal& run, const std::string& text, double seconds, std::size_t from) {
    return waitfor(run, run.said, text, seconds, from);
}

bool waitforkeymode(OnTerminal& run, double seconds, bool key) {
    double deadline = now() + seconds;
    termios settings{};
    while (tcgetattr(run.slave, &settings) == 0 && ((settings.c_lflag & ICANON) != 0) == key) {
        if (now() > deadline) {
            return false;
        }
        readsome(run, 0.005);
    }
    return true;
}

void type(OnTerminal& run, const std::string& keys) {
    if (write(run.master, keys.data(), keys.size()) < 0) {
        return;
    }
}

int waitforend(OnTerminal& run, double seconds) {
    double deadline = now() + seconds;
    int status = 0;
    while (waitpid(run.pid, &status, WNOHANG) == 0) {
        if (now() > deadline) {
            kill(run.pid, SIGKILL);
            waitpid(run.pid, &status, 0);
            return -1;
        }
        readsome(run, 0.01);
    }
    while (readsome(run, 0.01)) {
    }
    return status;
}

void closeterminal(OnTerminal& run) {
    if (run.pid > 0 && waitpid(run.pid, nullptr, WNOHANG) == 0) {
        kill(run.pid, SIGKILL);
        waitpid(run.pid, nullptr, 0);
    }
    close(run.master);
    close(run.slave);
    if (run.output >= 0) {
        close(run.output);
    }
}

bool sameterminalsettings(const termios& a, const termios& b) {
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
           a.c_lflag == b.c_lflag && std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

int exitstatus(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
}

bool processstat(pid_t pid, ProcessStat& stat) {
    std::string text = readfile("/proc/" + std::to_string(pid) + "/stat");
    // The command's name, in parentheses, may hold anything: the fields
    // start after the last ')'.
    std::size_t name = text.rfind(')');
    if (name == std::string::npos) {
        return false;
    }
    std::istringstream fields(text.substr(name + 1));
    fields >> stat.state >> stat.parent >> stat.group >> stat.session;
    return !fields.fail();
}

pid_t programin(pid_t session) {
    std::string path = std::filesystem::canonical(KAVELTA_PROGRAM);
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::error_code notaprocess;
        pid_t pid = static_cast<pid_t>(std::strtol(entry.path().filename().c_str(), nullptr, 10));
        ProcessStat stat;
        if (pid > 0 && processstat(pid, stat) && stat.session == session &&
            std::filesystem::read_symlink(entry.path() / "exe", notaprocess) == path) {
            return pid;
        }
    }
    return -1;
}

bool gone(pid_t pid) {
    double deadline = now() + 5;
    while (now() < deadline) {
        ProcessStat stat;
        if (!processstat(pid, stat) || stat.state == 'Z') {
            return true;
        }
        usleep(20000);
    }
    return false;
}

}  // namespace kavelta::testing
