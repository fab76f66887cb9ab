#include "grading/learninglevel.hpp"

#include <algorithm>

#include "common/display.hpp"

namespace kavelta {

namespace {

const char* const levelnames[] = {"Chua Dat", "Dat", "Kha", "Tot"};

// Every subject at `everybound` or more, and six of them at `sixbound` or
// more.
bool reaches(const Tenths* averages, int count, Tenths everybound, Tenths sixbound) {
    return *std::min_element(averages, averages + count) >= everybound &&
           countatleast(averages, count, sixbound) >= subjectsatbound;
}

// The rules on the recorded averages, bounds inclusive: "below 3.5" leaves
// 3.5 itself enough for Dat.
Level level(const Tenths* averages, int count, int chuadatcomments) {
    if (chuadatcomments == 0 && reaches(averages, count, 6.5_tenths, 8_tenths)) {
        return tot;
    }
    if (chuadatcomments == 0 && reaches(averages, count, 5_tenths, 6.5_tenths)) {
        return kha;
    }
    if (chuadatcomments <= 1 && reaches(averages, count, 3.5_tenths, 5_tenths)) {
        return dat;
    }
    return chuadat;
}

// The best level that one single subject's result stands between the
// student and: each scored subject taken at 10 in turn, or one comment
// subject at Chua Dat taken as Dat.
Level levelbutforonesubject(Tenths* averages, int count, int chuadatcomments) {
    Level best = chuadat;
    for (int i = 0; i < count; ++i) {
        Tenths kept = averages[i];
        averages[i] = 10_tenths;
        best = std::max(best, level(averages, count, chuadatcomments));
        averages[i] = kept;
    }
    if (chuadatcomments > 0) {
        best = std::max(best, level(averages, count, chuadatcomments - 1));
    }
    return best;
}

}  // namespace

const char* levelname(Level level) {
    return levelnames[level];
}

int countatleast(const Tenths* averages, int count, Tenths bound) {
    return static_cast<int>(std::count_if(averages, averages + count,
                                          [bound](Tenths average) { return average >= bound; }));
}

LearningLevel learninglevel(const ShellState& state) {
    Tenths averages[sizeof ShellState::tbmon / sizeof(Tenths)];
    int count = static_cast<int>(state.somondiem);
    int comments = static_cast<int>(state.somonchuadat);
    std::copy(state.tbmon, state.tbmon + count, averages);
    Level found = level(averages, count, comments);
    // A level two or more below Tot or Kha only because of one single
    // subject is raised one level, never more.
    bool raised = levelbutforonesubject(averages, count, comments) - found >= 2;
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
