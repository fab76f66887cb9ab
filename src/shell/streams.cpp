#include "shell/streams.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <streambuf>

#include "common/input.hpp"

namespace kavelta {

namespace {

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

    // Takes the place of std::cin's and std::cout's buffers.
    void open(Device opened) {
        device = opened;
        originalinput = std::cin.rdbuf(this);
        originaloutput = std::cout.rdbuf(this);
        std::cin.tie(nullptr);
    }

    // The standard streams outlive this buffer; they get theirs back.
    const Failure& close() {
        std::cin.rdbuf(originalinput);
        std::cout.rdbuf(originaloutput);
        return failed;
    }

    bool passanswerend() {
        char* at = gptr();
        while (at < egptr() && *at != '\n' && iswhite(static_cast<unsigned char>(*at))) {
            ++at;
        }
        if (at == egptr() || *at != '\n') {
            return false;
        }
        setg(eback(), at + 1, egptr());
        return true;
    }

    bool taketypedahead(unsigned char& byte, bool (*belongs)(unsigned char)) {
        if (gptr() == typedend) {
            return false;
        }
        byte = static_cast<unsigned char>(*gptr());
        if (belongs != nullptr && !belongs(byte)) {
            return false;
        }
        setg(eback(), gptr() + 1, std::max(egptr(), gptr() + 1));
        return true;
    }

    void hidetypedahead() { setg(eback(), gptr(), gptr()); }

    std::size_t unseenroom() { return sizeof input - static_cast<std::size_t>(typedend - gptr()); }

    void keepunseen(const char* typed, std::size_t length) {
        if (length > static_cast<std::size_t>(input + sizeof input - typedend)) {
            std::memmove(input, gptr(), static_cast<std::size_t>(typedend - gptr()));
            typedend -= gptr() - input;
            setg(input, input, input + (egptr() - gptr()));
        }
        std::memcpy(typedend, typed, length);
        typedend += length;
    }

    bool wrote(long result) {
        if (result < 0 && !outputfailed) {
            fail("write standard output", static_cast<int>(-result));
            outputfailed = true;
        }
        return !outputfailed;
    }

  protected:
    int_type underflow() override {
        if (failed.what != nullptr || !flushoutput()) {
            return traits_type::eof();
        }
        if (egptr() == typedend) {
            long got = device.read(input, sizeof input, readunseen);
            if (got < 0) {
                fail("read standard input", static_cast<int>(-got));
            }
            if (got <= 0) {
                return traits_type::eof();
            }
            typedend = input + got;
            setg(input, input, readunseen ? input : typedend);
        }
        if (egptr() < typedend) {
            // The next line the user has not seen, let in once it is echoed.
            char* start = egptr();
            void* found = std::memchr(start, '\n', static_cast<std::size_t>(typedend - start));
            char* end = found != nullptr ? static_cast<char*>(found) + 1 : typedend;
            if (!wrote(device.echo(start, static_cast<std::size_t>(end - start)))) {
                return traits_type::eof();
            }
            setg(eback(), start, end);
        }
        return traits_type::to_int_type(*gptr());
    }

    int_type overflow(int_type c) override {
        if (!flushoutput()) {
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

    int sync() override { return flushoutput() ? 0 : -1; }

  private:
    // Hands the whole pending text to the device, then empties the output
    // area. After a failed write nothing more is written: output is dropped.
    bool flushoutput() {
        std::size_t length = static_cast<std::size_t>(pptr() - pbase());
        long result = outputfailed || length == 0 ? 0 : device.write(pbase(), length);
        setp(output, output + sizeof output);
        return wrote(result);
    }

    // Keeps the first failure and drops what input is buffered, so that the
    // next read ends the session.
    void fail(const char* what, int error) {
        if (failed.what == nullptr) {
            failed = Failure{what, error};
        }
        setg(input, input, input);
        typedend = input;
    }

    char input[1 << 16];
    char* typedend = input;  // the end of what was read in, seen or not
    bool readunseen = false;  // the last read's; a member: no stack guard on each entry
    char output[1 << 16];
    Device device = plaindevice;
    Failure failed;
    bool outputfailed = false;
    std::streambuf* originalinput = nullptr;
    std::streambuf* originaloutput = nullptr;
};

StandardStreams streams;

}  // namespace

void openstreams(Device device) { streams.open(device); }
bool flushstreams() { return streams.pubsync() == 0; }
bool passanswerend() { return streams.passanswerend(); }
bool taketypedahead(unsigned char& byte, bool (*belongs)(unsigned char)) {
    return streams.taketypedahead(byte, belongs);
}
bool reportwrite(long result) { return streams.wrote(result); }
void hidetypedahead() { streams.hidetypedahead(); }
std::size_t unseenroom() { return streams.unseenroom(); }
void keepunseen(const char* typed, std::size_t length) { streams.keepunseen(typed, length); }

int closestreams(int status) {
    const Failure& failure = streams.close();
    if (failure.what == nullptr) {
        return status;
    }
    // Where standard error fails too, the status is all that is left to say it.
    std::fprintf(stderr, "kavelta: cannot %s: %s\n", failure.what, std::strerror(failure.error));
    return failurestatus;
}

}  // namespace kavelta
