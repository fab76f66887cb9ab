#include "shell/streams.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <streambuf>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kavelta {

namespace {

// The C runtime's descriptor calls; on Windows they also turn line ends
// into CR LF and back, as the console expects.
long readstdin(char* buffer, std::size_t size) {
#ifdef _WIN32
    return _read(0, buffer, static_cast<unsigned>(size));
#else
    return read(STDIN_FILENO, buffer, size);
#endif
}

long writestdout(const char* text, std::size_t length) {
#ifdef _WIN32
    return _write(1, text, static_cast<unsigned>(length));
#else
    return write(STDOUT_FILENO, text, length);
#endif
}

// The first failure, kept for the one line written at exit.
struct Failure {
    const char* what = nullptr;  // "read standard input" or "write standard output"
    int error = 0;
};

class StandardStreams : public std::streambuf {
  public:
    StandardStreams() {
        setg(input, input, input);
        setp(output, output + sizeof output);
    }

    const Failure& failure() const { return failed; }

  protected:
    int_type underflow() override {
        if (failed.what != nullptr || !writepending()) {
            return traits_type::eof();
        }
        long got;
        do {
            beforeinput();
            got = readstdin(input, sizeof input);
        } while (got < 0 && errno == EINTR);
        int error = got < 0 ? errno : got == 0 ? lostinput() : 0;
        if (error != 0) {
            fail("read standard input", error);
        }
        if (got <= 0) {
            return traits_type::eof();
        }
        afterinput(input, static_cast<std::size_t>(got));
        setg(input, input, input + got);
        return traits_type::to_int_type(*gptr());
    }

    int_type overflow(int_type c) override {
        if (!writepending()) {
            return traits_type::eof();
        }
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    // Texts are short and mostly fit: one copy.
    std::streamsize xsputn(const char* text, std::streamsize length) override {
        if (length > epptr() - pptr()) {
            return std::streambuf::xsputn(text, length);
        }
        std::memcpy(pptr(), text, static_cast<std::size_t>(length));
        pbump(static_cast<int>(length));
        return length;
    }

    int sync() override { return writepending() ? 0 : -1; }

  private:
    // Writes the whole pending text, retrying when a signal interrupts and
    // going on after a short write. After a failed write nothing more is
    // written: output is dropped.
    bool writepending() {
        const char* text = pbase();
        std::size_t length = static_cast<std::size_t>(pptr() - pbase());
        setp(output, output + sizeof output);
        if (outputfailed) {
            return false;
        }
        if (length > 0) {
            beforeoutput(text, length);
        }
        while (length > 0) {
            long written = writestdout(text, length);
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written <= 0) {
                fail("write standard output", written < 0 ? errno : EIO);
                outputfailed = true;
                return false;
            }
            text += written;
            length -= static_cast<std::size_t>(written);
        }
        return true;
    }

    // Keeps the first failure and drops what input is buffered, so that the
    // next read ends the session.
    void fail(const char* what, int error) {
        if (failed.what == nullptr) {
            failed = Failure{what, error};
        }
        setg(input, input, input);
    }

    char input[1 << 16];
    char output[1 << 16];
    Failure failed;
    bool outputfailed = false;
};

StandardStreams streams;
std::streambuf* originalinput = nullptr;
std::streambuf* originaloutput = nullptr;

}  // namespace

void openstreams() {
    originalinput = std::cin.rdbuf(&streams);
    originaloutput = std::cout.rdbuf(&streams);
    std::cin.tie(nullptr);
}

bool flushstreams() {
    return streams.pubsync() == 0;
}

int closestreams(int status) {
    // The standard streams outlive this buffer; they get theirs back.
    std::cin.rdbuf(originalinput);
    std::cout.rdbuf(originaloutput);
    const Failure& failure = streams.failure();
    if (failure.what == nullptr) {
        return status;
    }
    std::fprintf(stderr, "kavelta: cannot %s: %s\n", failure.what, std::strerror(failure.error));
    return failurestatus;
}

}  // namespace kavelta
