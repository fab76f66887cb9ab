// What the command line asks for: the usage (--help), the version line
// (--version), or, with neither, the program itself. Every other argument
// is ignored.
#pragma once

namespace kavelta {

enum class Option { none, help, version };

// The first of --help and --version among the arguments; none when neither
// is there.
Option readoption(int argc, const char* const argv[]);

// Writes what `option` asks for on standard output and returns the exit
// status: 0, or, when the write fails, failurestatus after one line on
// standard error, as for any other failed write.
int answeroption(Option option);

}  // namespace kavelta
