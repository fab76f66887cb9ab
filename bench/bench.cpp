// Throughput of scripted sessions: a generated session of many subject
// averages is fed to the program through standard input (non-interactive
// mode), with standard output to /dev/null. Reports calculations per second
// (best of several runs) and the program's peak resident memory.
//
//   kavelta_bench PROGRAM [CALCULATIONS]
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

namespace {

double now() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Counts of 0 to 3 regular tests and scores with and without decimals, so
// that each calculation reads 3 to 6 numbers.
void writesession(const std::string& path, long calculations) {
    std::ofstream session(path, std::ios::binary);
    const char* scores[] = {"8", "9.5", "7.25", "10", "6", "5.4"};
    for (long i = 0; i < calculations; ++i) {
        int count = static_cast<int>(i % 4);
        session << "1\n" << count << "\n";
        for (int j = 0; j < count; ++j) {
            session << scores[(i + j) % 6] << "\n";
        }
        session << scores[(i + 1) % 6] << "\n" << scores[(i + 2) % 6] << "\n";
    }
    session << "4\n";
}

struct Measure {
    double seconds;
    long maxrsskib;
    int status;
};

Measure runonce(const char* program, const std::string& input) {
    double start = now();
    pid_t pid = fork();
    if (pid == 0) {
        int in = open(input.c_str(), O_RDONLY);
        int out = open("/dev/null", O_WRONLY);
        dup2(in, STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return Measure{now() - start, usage.ru_maxrss, status};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [CALCULATIONS]\n", argv[0]);
        return 2;
    }
    long calculations = argc > 2 ? std::atol(argv[2]) : 100000;
    char dir[] = "/tmp/kavelta-bench-XXXXXX";
    if (mkdtemp(dir) == nullptr) {
        return 1;
    }
    std::string input = std::string(dir) + "/session";
    writesession(input, calculations);

    Measure best{1e9, 0, 0};
    for (int run = 0; run < 5; ++run) {
        Measure m = runonce(argv[1], input);
        if (!WIFEXITED(m.status) || WEXITSTATUS(m.status) != 0) {
            std::fprintf(stderr, "the program failed (status %d)\n", m.status);
            return 1;
        }
        if (m.seconds < best.seconds) {
            best.seconds = m.seconds;
        }
        if (m.maxrsskib > best.maxrsskib) {
            best.maxrsskib = m.maxrsskib;
        }
    }
    unlink(input.c_str());
    rmdir(dir);
    std::printf("calculations: %ld in %.3f s (best of 5)\n", calculations, best.seconds);
    std::printf("calculations per second: %.0f\n", static_cast<double>(calculations) / best.seconds);
    std::printf("peak resident memory: %.1f MiB\n", static_cast<double>(best.maxrsskib) / 1024.0);
    return 0;
}
