// Number entries and menu choices as typed.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "common/input.hpp"

namespace kavelta {
namespace {

TEST(ReadScore, RefusedEntriesDiscardTheLineAndAskAgain) {
    std::istringstream in("8,5 7\n\n  abc\n1e50\n  8.5 9\n");
    std::ostringstream out;
    float value = 0;
    ASSERT_TRUE(readscore(in, out, "Diem: ", value));
    EXPECT_EQ(value, 8.5f);
    const std::string again = "So Khong Hop Le! Nhap Lai (Vd: 8.5)\n";
    EXPECT_EQ(out.str(), "Diem: " + again + "Diem: " + again + "Diem: " + again + "Diem: ");
    // The rest of the accepted entry's line is left for the next read.
    std::string rest;
    std::getline(in, rest);
    EXPECT_EQ(rest, " 9");
}

TEST(ReadScore, EndOfInputFailsTheStream) {
    for (const char* input : {"", "  \n\t", "abc\n", "abc"}) {
        std::istringstream in(input);
        std::ostringstream out;
        float value = 42;
        EXPECT_FALSE(readscore(in, out, "Diem: ", value)) << input;
        EXPECT_TRUE(in.fail());
        EXPECT_EQ(value, 42);
    }
}

TEST(ReadScore, AHugeEntryIsRefusedWithoutHoldingIt) {
    std::istringstream in(std::string(1 << 20, '7') + " 1\n2\n");
    std::ostringstream out;
    float value = 0;
    ASSERT_TRUE(readscore(in, out, "? ", value));
    EXPECT_EQ(value, 2.0f);
}

TEST(ReadChoice, TakesTheRestOfTheLineTrimmed) {
    std::istringstream in("\n \t  tinh diem  x \r\n1 4\n");
    std::string choice;
    ASSERT_TRUE(readchoice(in, choice));
    EXPECT_EQ(choice, "tinh diem  x");
    ASSERT_TRUE(readchoice(in, choice));
    EXPECT_EQ(choice, "1 4");
    EXPECT_FALSE(readchoice(in, choice));
    EXPECT_TRUE(in.fail());
}

TEST(ReadChoice, KeepsNulBytesAndBoundsLongLines) {
    std::istringstream in(std::string("\0z\n", 3) + std::string(100000, 'y') + "\n");
    std::string choice;
    ASSERT_TRUE(readchoice(in, choice));
    EXPECT_EQ(choice, std::string("\0z", 2));
    ASSERT_TRUE(readchoice(in, choice));
    EXPECT_LT(choice.size(), 100u);
    EXPECT_NE(choice.find('y'), std::string::npos);
}

}  // namespace
}  // namespace kavelta
