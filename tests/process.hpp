// Starting the built program as a separate process, through pipes or on a
// pseudo-terminal, for tests that check it as a user or a script meets it.
#pragma once

#include <sys/types.h>
#include <termios.h>

#include <string>
#include <vector>

namespace kavelta::testing {

// Where temporary files go: $TMPDIR, or /tmp.
std::string temporaryfolder();

// A new empty folder there, removed with everything in it when the test is
// done with it, passed or failed.
struct WorkDir {
    std::string path;
    WorkDir();
    ~WorkDir();
    WorkDir(const WorkDir&) = delete;
    WorkDir& operator=(const WorkDir&) = delete;
};
void writefile(const std::string& path, const std::string& content, bool executable = false);
std::string readfile(const std::string& path);

struct Finished {
    std::string output;  // everything written to standard output, when a pipe
    std::string errors;  // everything written to standard error
    int status;          // as waitpid reports it
    long maxrsskib;      // peak resident memory
    double seconds;      // from start to exit
};

// Runs argv with `input` as standard input (a file) and standard output on
// a pipe, in `workdir` when given, and waits for it to end.
Finished runpiped(const std::vector<std::string>& argv, const std::string& input,
                  const std::string& workdir = "");
// The same with standard input read from a file.
Finished runpipedfrom(const std::vector<std::string>& argv, const std::string& inputpath,
                      const std::string& workdir = "");
// Standard input from `inputfd` and standard output into `outputfd`, both
// closed when -1 (the descriptors given are closed here).
Finished runwith(const std::vector<std::string>& argv, int inputfd, int outputfd);

// The program on a pseudo-terminal. The test keeps the terminal side open
// too, so its settings can be read before and after the program runs.
struct OnTerminal {
    pid_t pid = -1;
    int master = -1;
    int slave = -1;
    std::string seen;  // everything the program has written so far
    double started = 0;
    termios initial{};  // the terminal's settings before the program started
    int output = -1;    // standard output and error, when not the terminal
    std::string said;   // what came there so far
};

// Started with TERM=xterm-256color, whatever the tests' own terminal is.
// With `saidelsewhere`, standard output and error go to a pipe read into
// `said`: a shell started so writes nothing on the terminal, so a test can
// pause the terminal's output (Ctrl-S) without pausing the shell.
OnTerminal startonterminal(const std::vector<std::string>& argv, const std::string& workdir = "",
                           bool saidelsewhere = false);
// Reads what the program writes until `text` has been seen after position
// `from`, or the time runs out; returns whether it was seen.
bool waitfortext(OnTerminal& run, const std::string& text, double seconds,
                 std::size_t from = 0);
// The same for what the program says elsewhere.
bool waitforsaid(OnTerminal& run, const std::string& text, double seconds, std::size_t from = 0);
// Waits until the terminal's line mode is off (the program waits for a
// key), or with `key` false, on again.
bool waitforkeymode(OnTerminal& run, double seconds, bool key = true);
void type(OnTerminal& run, const std::string& keys);
// Waits for the program to end, reading what it still writes; returns the
// wait status, or -1 on a time-out (the program is then killed).
int waitforend(OnTerminal& run, double seconds);
void closeterminal(OnTerminal& run);

double now();
bool sameterminalsettings(const termios& a, const termios& b);

// A wait status as a shell shows it: the exit status, or 1000 plus the
// signal that ended the process (a death by signal never reads as 0).
int exitstatus(int status);

// What /proc/<pid>/stat says of a process; false when it has gone.
struct ProcessStat {
    char state = 0;  // 'Z' for one ended and not yet reaped
    pid_t parent = 0;
    pid_t group = 0;
    pid_t session = 0;
};
bool processstat(pid_t pid, ProcessStat& stat);

// The built program's process in the session `session` (a shell's), or -1.
pid_t programin(pid_t session);

// Whether the process ends, or is left unreaped, within 5 seconds.
bool gone(pid_t pid);

}  // namespace kavelta::testing
