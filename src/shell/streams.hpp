// Standard input and output as the program reads and writes them: one
// buffer of the program's own over descriptors 0 and 1, under std::cin and
// std::cout.
//
// Output is kept until the program is about to read (or the buffer is full),
// so a prompt always shows before the program waits, yet a script costs one
// system call per 64 KiB. The first read or write that fails is kept with
// its cause; from then on input reads as ended, so the session stops at
// once, and the program reports the failure as it exits.
#pragma once

#include <cstddef>

namespace kavelta {

// The exit status after a failed read of standard input or write of
// standard output.
constexpr int failurestatus = 2;

// Puts std::cin and std::cout on the program's buffer.
void openstreams();

// Writes what is pending; false once a write has failed.
bool flushstreams();

// Puts the standard streams back, once what is pending has been flushed.
// Returns `status` after a sound run; after a failure, writes one line on
// standard error ("kavelta: cannot write standard output: No space left on
// device") and returns failurestatus.
int closestreams(int status);

// Provided by the platform's console, which keeps a terminal's screen:
// called before every write of standard output, with the text, and before
// and after every read of standard input.
void beforeoutput(const char* text, std::size_t length);
void beforeinput();
void afterinput(const char* text, std::size_t length);

// Also from the console: when standard input has ended, whether it was a
// terminal that went away (a hangup), which is a failure. Returns its cause,
// or 0.
int lostinput();

}  // namespace kavelta
