// The record of what is on screen, which a resumed program draws again.
#include <gtest/gtest.h>

#include <string>

#include "shell/screenrecord.hpp"

namespace kavelta::testing {
namespace {

std::string recorded(const ScreenRecord& record) {
    return std::string(record.text, record.length);
}

TEST(ScreenRecord, TypedBytesAsTheTerminalEchoedThem) {
    ScreenRecord record;
    recordoutput(record, "\x1b]0;Kavelta-MENU\x07", 17);
    const std::string typed = "ab\x1b[2Jcd\x7f\x01\t\xc3\xa9\n";
    recordtyped(record, typed.data(), typed.size());
    EXPECT_EQ(recorded(record), "\x1b]0;Kavelta-MENU\x07" "ab^[[2Jcd^?^A\t\xc3\xa9\n");

    // A long paste is turned piece by piece.
    clearrecord(record);
    EXPECT_EQ(recorded(record), "");
    const std::string escapes(1000, '\x1b');
    recordtyped(record, escapes.data(), escapes.size());
    std::string carets;
    for (int i = 0; i < 1000; ++i) {
        carets += "^[";
    }
    EXPECT_EQ(recorded(record), carets);
}

TEST(ScreenRecord, TheOldestLinesGoFirst) {
    ScreenRecord record;
    const std::string line = std::string(99, 'x') + "\n";
    std::string lines;
    for (int i = 0; i < 163; ++i) {
        recordoutput(record, line.data(), line.size());
        lines += line;
    }
    // 16,300 bytes fit; 100 more drop the oldest whole line.
    EXPECT_EQ(recorded(record), lines);
    const std::string last = std::string(88, 'z') + "Nhap: 12345\n";
    recordoutput(record, last.data(), last.size());
    EXPECT_EQ(recorded(record), lines.substr(line.size()) + last);
    // Short lines: as many whole ones go as the new text needs room for.
    clearrecord(record);
    std::string full;
    for (std::size_t i = 0; i < sizeof record.text / 4; ++i) {
        recordoutput(record, "abc\n", 4);
        full += "abc\n";
    }
    recordoutput(record, "0123456789", 10);
    EXPECT_EQ(recorded(record), full.substr(12) + "0123456789");
    // More than the record holds at once: its last part.
    const std::string huge = "a\n" + std::string(20000, 'y');
    recordoutput(record, huge.data(), huge.size());
    EXPECT_EQ(recorded(record), std::string(sizeof record.text, 'y'));
}

}  // namespace
}  // namespace kavelta::testing
