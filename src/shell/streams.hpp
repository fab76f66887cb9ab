// Standard input and output as the program reads and writes them: one
// buffer of the program's own under std::cin and std::cout, over a device
// that the console hands it when it opens.
//
// Output is kept until the program is about to read (or the buffer is full),
// so a prompt always shows before the program waits, yet a script costs one
// system call per 64 KiB. The first read or write that fails is kept with
// its cause; from then on input reads as ended, so the session stops at
// once, and the program reports the failure as it exits.
//
// The input buffer is also the account of what the user typed and the
// program has read in. Past what is being read it can hold bytes the user
// cannot see, unseen: typed after a key with echo off, typed ahead on a
// screen since cleared, or read unseen from the device. They are let in a
// line at a time, each echoed first, as the terminal's echo shows them,
// right after its prompt.
#pragma once

#include <cstddef>

namespace kavelta {

// What the streams read from and write to: a plain record of functions, as
// the driver is handed its Console. A read returns the bytes read (0 at the
// end) and says whether they are unseen; a write and an echo 0 once all of
// it is written. A failure returns minus its errno.
struct Device {
    long (*read)(char* buffer, std::size_t size, bool& unseen);
    long (*write)(const char* text, std::size_t length);
    long (*echo)(const char* typed, std::size_t length);  // as the terminal's echo shows it
};

// The plain device, descriptors 0 and 1 (descriptors.cpp): a read retried
// when a signal interrupts it; a write retried so too and continued after a
// short write. Nothing it reads is out of sight: it echoes by writing.
long readstandardinput(char* buffer, std::size_t size, bool& unseen);
long writestandardoutput(const char* text, std::size_t length);
constexpr Device plaindevice = {readstandardinput, writestandardoutput, writestandardoutput};

// The exit status after a failed read of standard input or write of
// standard output.
constexpr int failurestatus = 2;

// Puts std::cin and std::cout on the program's buffer, over `device`.
void openstreams(Device device);

// Writes what is pending; false once a write has failed.
bool flushstreams();

// A write beside the streams (the title): its failure counts as theirs.
bool reportwrite(long result);

// What the key wait takes before it reads the terminal: the input read in
// and not yet used, as a pasted script leaves it. passanswerend() passes
// the answer's line end (white space through the first line end) and says
// whether it did: text left on that line is the next choice, not a key.
// Then taketypedahead() takes a byte, seen or not, that `belongs` to the key
// (any, when null); false when none is left, or it is not the key's.
bool passanswerend();
bool taketypedahead(unsigned char& byte, bool (*belongs)(unsigned char) = nullptr);

// The screen has been cleared: what is typed ahead is no longer on it, and
// is echoed again as it is let in.
void hidetypedahead();

// Unseen bytes, put after all those read in: at most unseenroom(), the room
// once what the program has used is given up.
std::size_t unseenroom();
void keepunseen(const char* typed, std::size_t length);

// Puts the standard streams back, once what is pending has been flushed.
// Returns `status` after a sound run; after a failure, writes one line on
// standard error ("kavelta: cannot write standard output: No space left on
// device") and returns failurestatus.
int closestreams(int status);

}  // namespace kavelta
