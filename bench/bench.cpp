// Throughput of scripted sessions, measured against the copy floor: the
// time `cat` takes to copy the program's own transcript into the same kind
// of sink. A generated script of many calculations is fed to the program
// (non-interactive mode); each run of the program is paired with a run of
// cat, in alternating order, first into a pipe drained by another cat, then
// into a file. Reports calculations per second, the median ratio to the
// floor for each sink, and the program's peak resident memory.
//
//   kavelta_bench PROGRAM [CALCULATIONS]
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

namespace {

double now() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Every 20 calculations: 12 subject averages with 0 to 3 regular tests, one
// of them after a count above 10 and one after a refused entry; 4 semester
// averages; 4 year averages, one after a refused entry.
void writemixed(std::ofstream& script, long calculations) {
    const char* scores[] = {"8", "9.5", "7.25", "10", "6", "5.4", "8.75"};
    auto score = [&scores](long i) { return scores[i % 7]; };
    for (long i = 0; i < calculations; ++i) {
        long kind = i % 20;
        if (kind < 12) {
            int count = static_cast<int>(i % 4);
            script << "1\n" << (kind == 5 ? "12\n" : "") << count << "\n";
            for (int j = 0; j < count; ++j) {
                script << (kind == 7 && j == 0 ? "8,5\n" : "") << score(i + j) << "\n";
            }
            script << score(i + 1) << "\n" << score(i + 2) << "\n";
        } else if (kind < 16) {
            script << "2\n";
            for (int j = 0; j < 11; ++j) {
                script << score(i + j) << (j == 10 ? "\n" : " ");
            }
        } else {
            script << "3\n" << (kind == 19 ? "abc\n" : "") << score(i) << "\n"
                   << score(i + 3) << "\n";
        }
    }
}

// Subject averages only, 0 to 3 regular tests each, one-decimal scores from
// 0.0 to 10.0.
void writesubjects(std::ofstream& script, long calculations) {
    auto score = [](long i) {
        long tenths = i * 37 % 101;
        return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
    };
    for (long i = 0; i < calculations; ++i) {
        int count = static_cast<int>(i % 4);
        script << "1\n" << count << "\n";
        for (int j = 0; j < count; ++j) {
            script << score(i * 3 + j) << "\n";
        }
        script << score(i * 5 + 1) << "\n" << score(i * 7 + 2) << "\n";
    }
}

void writescript(const std::string& path, long calculations, bool subjectsonly) {
    std::ofstream script(path, std::ios::binary);
    subjectsonly ? writesubjects(script, calculations) : writemixed(script, calculations);
    script << "4\n";
}

struct Run {
    double seconds;
    long maxrsskib;
    bool ok;
};

pid_t start(const std::vector<const char*>& argv, int in, int out) {
    pid_t pid = fork();
    if (pid == 0) {
        dup2(in, STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        execvp(argv[0], const_cast<char* const*>(argv.data()));
        _exit(127);
    }
    return pid;
}

bool finished(pid_t pid, rusage* usage) {
    int status = 0;
    wait4(pid, &status, 0, usage);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// argv with standard input from `input` and standard output into the sink:
// a pipe drained by cat, or the file `outputfile`.
Run runinto(const std::vector<const char*>& argv, const std::string& input, bool pipesink,
            const std::string& outputfile) {
    int in = open(input.c_str(), O_RDONLY | O_CLOEXEC);
    double begin = now();
    rusage usage{};
    bool ok;
    if (pipesink) {
        // Close-on-exec, so that each end reaches only its own process and
        // the drain sees the end of the stream.
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) != 0) {
            return Run{0, 0, false};
        }
        int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        pid_t drain = start({"cat", nullptr}, ends[0], null);
        pid_t producer = start(argv, in, ends[1]);
        close(ends[0]);
        close(ends[1]);
        close(null);
        ok = finished(producer, &usage);
        ok = finished(drain, nullptr) && ok;
    } else {
        int out = open(outputfile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        pid_t producer = start(argv, in, out);
        close(out);
        ok = finished(producer, &usage);
    }
    close(in);
    return Run{now() - begin, usage.ru_maxrss, ok};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

long filesize(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? static_cast<long>(info.st_size) : 0;
}

// Instructions the program runs on the script, counted by callgrind, which
// does not drift with the machine's speed; -1 without valgrind.
long long instructions(const char* program, const std::string& script, const std::string& log) {
    int in = open(script.c_str(), O_RDONLY | O_CLOEXEC);
    int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    std::string logoption = "--log-file=" + log;
    pid_t pid = start({"valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null",
                       logoption.c_str(), program, nullptr},
                      in, null);
    close(in);
    close(null);
    if (!finished(pid, nullptr)) {
        return -1;
    }
    std::ifstream said(log);
    std::string line;
    long long count = -1;
    while (std::getline(said, line)) {
        std::size_t at = line.find("Collected : ");
        if (at != std::string::npos) {
            count = std::atoll(line.c_str() + at + 12);
        }
    }
    return count;
}

struct Files {
    std::string script, transcript, sink, log;
};

// The program on one script: its median time against the copy floor into
// a pipe and into a file, and its instructions per calculation. False when
// the program fails on the script.
bool measure(const char* program, const Files& files, long calculations, const char* what,
             long& peakkib) {
    const std::vector<const char*> argv = {program, nullptr};
    const std::vector<const char*> copy = {"cat", files.transcript.c_str(), nullptr};
    if (!runinto(argv, files.script, false, files.transcript).ok) {
        std::fprintf(stderr, "the program failed on the script\n");
        return false;
    }
    std::printf("script: %ld calculations (%s), %.2f MB in, %.2f MB out\n", calculations, what,
                static_cast<double>(filesize(files.script)) / 1e6,
                static_cast<double>(filesize(files.transcript)) / 1e6);
    const int pairs = 11;
    for (bool pipesink : {true, false}) {
        std::vector<double> ours;
        std::vector<double> floor;
        for (int pair = 0; pair < pairs; ++pair) {
            // Alternate which goes first, so that neither always runs on a
            // machine the other has just warmed.
            for (int turn = 0; turn < 2; ++turn) {
                if ((pair + turn) % 2 == 0) {
                    Run run = runinto(argv, files.script, pipesink, files.sink);
                    if (!run.ok) {
                        std::fprintf(stderr, "the program failed on the script\n");
                        return false;
                    }
                    ours.push_back(run.seconds);
                    peakkib = std::max(peakkib, run.maxrsskib);
                } else {
                    floor.push_back(runinto(copy, "/dev/null", pipesink, files.sink).seconds);
                }
            }
        }
        double oursmedian = median(ours);
        double floormedian = median(floor);
        std::printf("  into a %s: kavelta %.1f ms, cat %.1f ms (median of %d alternated pairs): "
                    "%.2fx the copy floor, %.0f calculations per second\n",
                    pipesink ? "pipe" : "file", oursmedian * 1e3, floormedian * 1e3, pairs,
                    oursmedian / floormedian, static_cast<double>(calculations) / oursmedian);
    }
    long long counted = instructions(program, files.script, files.log);
    if (counted > 0) {
        std::printf("  instructions (callgrind): %lld per calculation\n",
                    counted / calculations);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [CALCULATIONS]\n", argv[0]);
        return 2;
    }
    long calculations = argc > 2 ? std::atol(argv[2]) : 100000;
    const char* tmpdir = std::getenv("TMPDIR");
    std::string dir = std::string(tmpdir != nullptr && *tmpdir ? tmpdir : "/tmp") +
                      "/kavelta-bench-XXXXXX";
    if (mkdtemp(dir.data()) == nullptr) {
        return 1;
    }
    const Files files = {dir + "/script", dir + "/transcript", dir + "/sink", dir + "/callgrind"};
    long peakkib = 0;
    bool ok = true;
    const struct {
        bool subjectsonly;
        const char* what;
    } scripts[] = {
        {false, "60% subject, 20% semester, 20% year averages; in every 20, a count above 10 "
                "and two refused entries"},
        {true, "subject averages only, 0 to 3 regular tests, one-decimal scores"},
    };
    for (const auto& script : scripts) {
        writescript(files.script, calculations, script.subjectsonly);
        ok = ok && measure(argv[1], files, calculations, script.what, peakkib);
    }
    if (ok) {
        std::printf("peak resident memory: %.1f MiB\n", static_cast<double>(peakkib) / 1024.0);
    }
    // Whatever the outcome, nothing is left behind.
    for (const std::string& path : {files.script, files.transcript, files.sink, files.log}) {
        unlink(path.c_str());
    }
    rmdir(dir.c_str());
    return ok ? 0 : 1;
}
