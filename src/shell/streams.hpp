// Standard input and output as the program reads and writes them: one
// buffer of the program's own under std::cin and std::cout, over a device
// that the console hands it when it opens.
//
// Output is kept until the program is about to read (or the buffer is full),
// so a prompt always shows before the program waits, yet a script costs one
// system call per 64 KiB. The first read or write that fails is kept with
// its cause; from then on input reads as ended, so the session stops at
// once, and the program reports the failure as it exits.
#pragma once

#include <cstddef>

namespace kavelta {

// What the streams read from and write to: a plain record of functions, as
// the driver is handed its Console.
struct Device {
    // Up to `size` bytes: how many, 0 at the end, or -1 with errno set.
    long (*read)(char* buffer, std::size_t size);
    // All of `text`: 0, or the cause (an errno value) of a failed write.
    int (*write)(const char* text, std::size_t length);
};

// The plain device, descriptors 0 and 1 (descriptors.cpp): a read retried
// when a signal interrupts it; a write retried so too and continued after a
// short write, async-signal-safe on POSIX, so that signal handlers write
// with it as well.
long readinput(char* buffer, std::size_t size);
int writeoutput(const char* text, std::size_t length);
constexpr Device plaindevice = {readinput, writeoutput};

// The exit status after a failed read of standard input or write of
// standard output.
constexpr int failurestatus = 2;

// Puts std::cin and std::cout on the program's buffer, over `device`.
void openstreams(Device device);

// Writes what is pending; false once a write has failed.
bool flushstreams();

// What the key wait takes before it reads the terminal: the input read and
// not yet used, as a pasted script leaves it. passanswerend() passes over
// the line end of the answer before the wait (white space through the first
// line end) and says whether it did: text left on that line is the next
// choice, not a key. Then each call of taketypedahead() takes one byte,
// false when none is left.
bool passanswerend();
bool taketypedahead(unsigned char& byte);

// Puts the standard streams back, once what is pending has been flushed.
// Returns `status` after a sound run; after a failure, writes one line on
// standard error ("kavelta: cannot write standard output: No space left on
// device") and returns failurestatus.
int closestreams(int status);

}  // namespace kavelta
