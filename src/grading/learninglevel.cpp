#include "grading/learninglevel.hpp"

#include <algorithm>

#include "common/display.hpp"
#include "common/input.hpp"
#include "grading/entries.hpp"

namespace kavelta {

namespace {

const char* const levelnames[] = {"Chua Dat", "Dat", "Kha", "Tot"};

const char* subjectcountrefusal(float count) {
    return wholein(count, 6, 15) ? nullptr : "So Mon Phai La So Nguyen Tu 6 Den 15! Nhap Lai\n";
}

const char* commentcountrefusal(float count) {
    return wholein(count, 0, 10) ? nullptr : "So Mon Phai La So Nguyen Tu 0 Den 10! Nhap Lai\n";
}

// Every subject at `everybound` or more, and six of them at `sixbound` or
// more.
bool reaches(const int* tenths, int count, int everybound, int sixbound) {
    return *std::min_element(tenths, tenths + count) >= everybound &&
           countatleast(tenths, count, sixbound) >= subjectsatbound;
}

// The rules on the recorded averages, in tenths, bounds inclusive: "below
// 3.5" leaves 3.5 itself enough for Dat.
Level level(const int* tenths, int count, int chuadatcomments) {
    if (chuadatcomments == 0 && reaches(tenths, count, 65, 80)) {
        return tot;
    }
    if (chuadatcomments == 0 && reaches(tenths, count, 50, 65)) {
        return kha;
    }
    if (chuadatcomments <= 1 && reaches(tenths, count, 35, 50)) {
        return dat;
    }
    return chuadat;
}

// The best level that one single subject's result stands between the
// student and: each scored subject taken at 10 in turn, or one comment
// subject at Chua Dat taken as Dat.
Level levelbutforonesubject(int* tenths, int count, int chuadatcomments) {
    Level best = chuadat;
    for (int i = 0; i < count; ++i) {
        int kept = tenths[i];
        tenths[i] = 100;
        best = std::max(best, level(tenths, count, chuadatcomments));
        tenths[i] = kept;
    }
    if (chuadatcomments > 0) {
        best = std::max(best, level(tenths, count, chuadatcomments - 1));
    }
    return best;
}

}  // namespace

const char* levelname(Level level) {
    return levelnames[level];
}

int countatleast(const int* tenths, int count, int bound) {
    return static_cast<int>(std::count_if(tenths, tenths + count,
                                          [bound](int t) { return t >= bound; }));
}

bool readsubjectaverage(std::istream& in, std::ostream& out, int subject, std::string_view tail,
                        int& tenths) {
    char text[64];
    std::string_view prompt = numberedtext(text, "Nhap Diem Trung Binh Mon ", subject + 1, tail);
    return readrecordedscore(in, out, prompt, tenths);
}

bool readlevelsubjects(ShellState& state, std::istream& in, std::ostream& out,
                       AverageDialogue readaverage, std::string_view commentprompt) {
    Decimal parts;
    if (!readchecked(in, out, "Nhap So Mon Danh Gia Bang Diem So: ", subjectcountrefusal,
                     state.somondiem, parts)) {
        return false;
    }
    for (int i = 0; i < static_cast<int>(state.somondiem); ++i) {
        if (!readaverage(state, in, out, i)) {
            return false;
        }
    }
    return readchecked(in, out, commentprompt, commentcountrefusal, state.somonchuadat, parts);
}

LearningLevel learninglevel(const ShellState& state) {
    int tenths[sizeof ShellState::tbmon / sizeof(int)];
    int count = static_cast<int>(state.somondiem);
    int comments = static_cast<int>(state.somonchuadat);
    std::copy(state.tbmon, state.tbmon + count, tenths);
    Level found = level(tenths, count, comments);
    // A level two or more below Tot or Kha only because of one single
    // subject is raised one level, never more.
    bool raised = levelbutforonesubject(tenths, count, comments) - found >= 2;
    return LearningLevel{raised ? static_cast<Level>(found + 1) : found, found};
}

void writelevel(std::ostream& out, std::string_view label, const LearningLevel& found) {
    writetext(out, label);
    writetext(out, levelname(found.level));
    if (found.level != found.byrules) {
        writetext(out, " (Duoc Nang Tu Muc ");
        writetext(out, levelname(found.byrules));
        writetext(out, " Vi Chi Mot Mon)");
    }
    writetext(out, "\n");
}

}  // namespace kavelta
