#include "grading/entries.hpp"

#include <charconv>
#include <cmath>
#include <cstring>

#include "common/input.hpp"

namespace kavelta {

namespace {

constexpr float maxregulartests = 10;

// Why a count is refused, or null when it is a whole number from 0 to 10.
// No student has 2.5 or -5 tests, and such a count would ask for a wrong
// number of scores or divide by zero. sochia has room for 10.
const char* countrefusal(float n) {
    if (n > maxregulartests) {
        return "Toi Da 10 Lan Kiem Tra! Nhap Lai\n";
    }
    if (!wholein(n, 0, maxregulartests)) {
        return "So Lan Kiem Tra Phai La So Nguyen Tu 0 Den 10! Nhap Lai\n";
    }
    return nullptr;
}

// Written out: a script asks for a great many of them.
constexpr std::string_view regularprompts[] = {
    "Nhap So Diem Kiem Tra Thuong Xuyen 1: ", "Nhap So Diem Kiem Tra Thuong Xuyen 2: ",
    "Nhap So Diem Kiem Tra Thuong Xuyen 3: ", "Nhap So Diem Kiem Tra Thuong Xuyen 4: ",
    "Nhap So Diem Kiem Tra Thuong Xuyen 5: ", "Nhap So Diem Kiem Tra Thuong Xuyen 6: ",
    "Nhap So Diem Kiem Tra Thuong Xuyen 7: ", "Nhap So Diem Kiem Tra Thuong Xuyen 8: ",
    "Nhap So Diem Kiem Tra Thuong Xuyen 9: ", "Nhap So Diem Kiem Tra Thuong Xuyen 10: ",
};

const char* scorerefusal(float value) {
    return value >= 0 && value <= 10 ? nullptr : "Diem Phai Tu 0 Den 10! Nhap Lai\n";
}

}  // namespace

bool readcount(std::istream& in, std::ostream& out, float& n) {
    Typed typed;
    return readchecked(in, out, "Nhap So Lan Kiem Tra Thuong Xuyen: ", countrefusal, n, typed);
}

std::string_view regularprompt(int number) {
    return regularprompts[number - 1];
}

std::string_view numberedprompt(char (&text)[64], std::string_view head, int number) {
    std::size_t length = head.size();
    std::memcpy(text, head.data(), length);
    char* end = std::to_chars(text + length, text + sizeof text - 2, number).ptr;
    *end++ = ':';
    *end++ = ' ';
    return std::string_view(text, static_cast<std::size_t>(end - text));
}

bool wholein(float value, float low, float high) {
    return value >= low && value <= high && std::trunc(value) == value;
}

bool readexactscore(std::istream& in, std::ostream& out, std::string_view prompt,
                    Billionths& value) {
    float read;
    Typed typed;
    if (!readchecked(in, out, prompt, scorerefusal, read, typed)) {
        return false;
    }
    value = typedbillionths(typed.text);
    return true;
}

}  // namespace kavelta
