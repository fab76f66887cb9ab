// The program's own standard streams over a device.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>

#include "shell/driver.hpp"
#include "shell/streams.hpp"

namespace kavelta::testing {
namespace {

// A script the first read takes in whole.
std::string script;
bool scriptread = false;
std::string echoed;

long readscript(char* buffer, std::size_t size, bool& unseen) {
    unseen = false;
    std::size_t piece = scriptread ? 0 : std::min(size, script.size());
    std::memcpy(buffer, script.data(), piece);
    scriptread = true;
    return static_cast<long>(piece);
}

// A disk that fills up once the script is read in.
long fillingdisk(const char*, std::size_t) {
    return scriptread ? -ENOSPC : 0;
}

long echo(const char* typed, std::size_t length) {
    echoed.append(typed, length);
    return 0;
}

// Unseen bytes kept with the buffer full: what was used is given up for
// room, and what is kept is read after the rest, in order, echoed first.
TEST(Streams, UnseenBytesKeptWithTheBufferFullAreAllRead) {
    script = std::string((1 << 16) - 4, 'x') + "\n12\n";
    scriptread = false;
    openstreams(Device{readscript, echo, echo});
    std::string line;
    std::getline(std::cin, line);
    const std::string typed = std::string(40000, 'y') + "\n";
    ASSERT_GE(unseenroom(), typed.size());
    keepunseen(typed.data(), typed.size());
    echoed.clear();
    std::getline(std::cin, line);
    EXPECT_EQ(line, "12");
    std::getline(std::cin, line);
    EXPECT_EQ(line + "\n", typed);
    EXPECT_EQ(echoed, typed);
    EXPECT_EQ(closestreams(0), 0);
}

// A failed write drops what was read in: the commands after it never run,
// and the script's "console" starts nothing. 400 year averages write more
// than the output buffer holds. The failure is kept for the run: last.
TEST(Streams, AFailedWriteEndsTheSessionAtTheNextRead) {
    script.clear();
    scriptread = false;
    for (int i = 0; i < 400; ++i) {
        script += "3\n6\n9\n";
    }
    script += "console\n4\n";
    int keys = 0;
    int companions = 0;
    Console console{[](std::string_view) {}, [] {}, [&keys] { ++keys; },
                    [&companions] { ++companions; }, [](std::uint32_t) {}};
    openstreams(Device{readscript, fillingdisk, fillingdisk});
    int status = runshell(std::cin, std::cout, console);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(closestreams(status), failurestatus);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "kavelta: cannot write standard output: " + std::string(std::strerror(ENOSPC)) +
                  "\n");
    std::cin.clear();
    EXPECT_EQ(companions, 0);
    EXPECT_GT(keys, 0);
    EXPECT_LT(keys, 400);
}

}  // namespace
}  // namespace kavelta::testing
