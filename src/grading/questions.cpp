#include "grading/questions.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "common/display.hpp"
#include "common/input.hpp"

namespace kavelta {

namespace {

const char* conductrefusal(float value) {
    return wholein(value, 1, 4) ? nullptr : "Ket Qua Ren Luyen Phai La 1, 2, 3 Hoac 4! Nhap Lai\n";
}

const char* sessionsrefusal(float value) {
    return wholein(value, 0, 365) ? nullptr
                                  : "So Buoi Nghi Phai La So Nguyen Tu 0 Den 365! Nhap Lai\n";
}

const char* examcountrefusal(float count) {
    return count == 3 || count == 4 ? nullptr : "So Bai Thi Phai La 3 Hoac 4! Nhap Lai\n";
}

const char* encouragementrefusal(float points) {
    return points >= 0 && points <= 2 ? nullptr
                                      : "Diem Khuyen Khich Phai Tu 0 Den 2! Nhap Lai\n";
}

// Only the highest priority group counts, so there are three values.
const char* priorityrefusal(float points) {
    return points == 0 || points == 0.25f || points == 0.5f
               ? nullptr
               : "Diem Uu Tien Phai La 0, 0.25 Hoac 0.5! Nhap Lai\n";
}

// The value read is one of the three exactly (0.25000001 reads as 0.25).
Hundredths prioritypoints(float points) {
    return points == 0.5f ? 0.5_hundredths : points == 0.25f ? 0.25_hundredths : 0_hundredths;
}

// One grade's scored subjects and their year averages.
bool readgrade(ShellState& state, std::istream& in, std::ostream& out, int grade) {
    char text[64];
    int number = firstuppergrade + grade;
    std::string_view prompt = numberedtext(text, "Nhap So Mon Danh Gia Bang Diem So Lop ", number,
                                           ": ");
    if (!readsubjectcount(in, out, prompt, 6, 15, state.somonlop[grade])) {
        return false;
    }
    std::string_view tail = numberedtext(text, " Lop ", number, ": ");
    for (int i = 0; i < static_cast<int>(state.somonlop[grade]); ++i) {
        if (!readsubjectaverage(in, out, i, tail, state.tbcnlop[grade][i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string_view numberedtext(char (&text)[64], std::string_view head, int number,
                              std::string_view tail) {
    char* end = std::copy(head.begin(), head.end(), text);
    end = std::to_chars(end, text + sizeof text, number).ptr;
    end = std::copy(tail.begin(), tail.end(), end);
    return std::string_view(text, static_cast<std::size_t>(end - text));
}

bool wholein(float value, float low, float high) {
    return value >= low && value <= high && std::trunc(value) == value;
}

const char* scorerefusal(float value) {
    return value >= 0 && value <= 10 ? nullptr : "Diem Phai Tu 0 Den 10! Nhap Lai\n";
}

bool readtypedscore(std::istream& in, std::ostream& out, std::string_view prompt,
                    Billionths& typed) {
    float read;
    Decimal parts;
    if (!readchecked(in, out, prompt, scorerefusal, read, parts)) {
        return false;
    }
    typed = typedbillionths(parts);
    return true;
}

bool readrecordedscore(std::istream& in, std::ostream& out, std::string_view prompt,
                       Tenths& score) {
    Billionths typed;
    if (!readtypedscore(in, out, prompt, typed)) {
        return false;
    }
    score = recorded<1>(typed);
    return true;
}

bool readsubjectaverage(std::istream& in, std::ostream& out, int subject, std::string_view tail,
                        Tenths& average) {
    char text[64];
    std::string_view prompt = numberedtext(text, "Nhap Diem Trung Binh Mon ", subject + 1, tail);
    return readrecordedscore(in, out, prompt, average);
}

bool readsubjectcount(std::istream& in, std::ostream& out, std::string_view prompt, int low,
                      int high, float& count) {
    Decimal parts;
    for (;;) {
        if (!readchecked(in, out, prompt, nullptr, count, parts)) {
            return false;
        }
        if (wholein(count, static_cast<float>(low), static_cast<float>(high))) {
            return true;
        }
        // Refused as a check refuses, with a line that names the bounds.
        discardline(in);
        char text[64];
        writetext(out, numberedtext(text, "So Mon Phai La So Nguyen Tu ", low, " Den "));
        writetext(out, numberedtext(text, "", high, "! Nhap Lai\n"));
    }
}

bool readlevelsubjects(ShellState& state, std::istream& in, std::ostream& out,
                       AverageDialogue readaverage, std::string_view commentprompt) {
    if (!readsubjectcount(in, out, "Nhap So Mon Danh Gia Bang Diem So: ", 6, 15,
                          state.somondiem)) {
        return false;
    }
    for (int i = 0; i < static_cast<int>(state.somondiem); ++i) {
        if (!readaverage(state, in, out, i)) {
            return false;
        }
    }
    return readsubjectcount(in, out, commentprompt, 0, 10, state.somonchuadat);
}

bool readconduct(std::istream& in, std::ostream& out, std::string_view prompt, float& conduct) {
    Decimal parts;
    return readchecked(in, out, prompt, conductrefusal, conduct, parts);
}

bool readyearresults(ShellState& state, std::istream& in, std::ostream& out,
                     AverageDialogue readaverage, std::string_view commentprompt) {
    Decimal parts;
    return readlevelsubjects(state, in, out, readaverage, commentprompt) &&
           readconduct(in, out, "Nhap Ket Qua Ren Luyen Ca Nam (1 Tot, 2 Kha, 3 Dat, 4 Chua Dat): ",
                       state.renluyen) &&
           readchecked(in, out, "Nhap So Buoi Nghi Hoc Ca Nam: ", sessionsrefusal, state.sobuoinghi,
                       parts);
}

bool readgrades(ShellState& state, std::istream& in, std::ostream& out) {
    for (int grade = 0; grade < uppergrades; ++grade) {
        if (!readgrade(state, in, out, grade)) {
            return false;
        }
    }
    return true;
}

bool readexamcount(ShellState& state, std::istream& in, std::ostream& out) {
    Decimal parts;
    return readchecked(in, out, "Nhap So Bai Thi (4, Hoac 3 Neu Duoc Mien Thi Ngoai Ngu): ",
                       examcountrefusal, state.sobaithi, parts);
}

bool readpoints(ShellState& state, std::istream& in, std::ostream& out) {
    float points;
    Decimal parts;
    if (!readchecked(in, out, "Nhap Diem Khuyen Khich (0 Den 2): ", encouragementrefusal, points,
                     parts)) {
        return false;
    }
    state.diemkhuyenkhich = typedbillionths(parts);
    if (!readchecked(in, out, "Nhap Diem Uu Tien (0, 0.25 Hoac 0.5): ", priorityrefusal, points,
                     parts)) {
        return false;
    }
    state.diemuutien = prioritypoints(points);
    return true;
}

}  // namespace kavelta
