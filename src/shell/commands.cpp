#include "shell/commands.hpp"

#include "common/display.hpp"
#include "grading/calculators.hpp"

namespace kavelta {

namespace {

// Row 4 has no word alias. The companion's row, with no summary, is left out
// of --help as well as the menu.
const Command commands[] = {
    {{"1", "tinh diem trung binh mon", "tdtbm"}, "Kavelta-TINH DIEM TRUNG BINH MON",
     Action::calculate, tdtbm, false,
     "a subject's average: regular tests, the midterm twice, the final three times"},
    {{"2", "tinh diem trung binh hoc ky", "tdtbhk"}, "Kavelta-TINH DIEM TRUNG BINH HOC KY",
     Action::calculate, tdtbhk, false,
     "the semester average of eleven subjects, and the student title it earns"},
    {{"3", "tinh diem trung binh ca nam", "tdtbcn"}, "Kavelta-TINH DIEM TRUNG BINH CA NAM",
     Action::calculate, tdtbcn, false, "the year average: semester 1, and semester 2 twice"},
    {{"4"}, {}, Action::quit, nullptr, false, "quit"},
    {{"console"}, {}, Action::startconsole, nullptr, true, {}},
    // Today's rules, beside the earlier ones of row 2.
    {{"xep loai hoc tap", "xlht"}, "Kavelta-XEP LOAI KET QUA HOC TAP", Action::calculate, xlht,
     true, "the learning level of a semester or a year: Tot, Kha, Dat or Chua Dat"},
    {{"diem can dat", "dcd"}, "Kavelta-DIEM KIEM TRA CUOI KY CAN DAT", Action::calculate, dcd,
     true, "the final-test score a subject average needs"},
    {{"diem can dat ca nam", "dcdcn"}, "Kavelta-DIEM KIEM TRA CUOI KY CAN DAT CA NAM",
     Action::calculate, dcdcn, true, "the final-test score of semester 2 a year average needs"},
    {{"tong ket nam hoc", "tknh"}, "Kavelta-TONG KET NAM HOC", Action::calculate, tknh, true,
     "the year's outcome: year averages, learning level, award, going up a class"},
    {{"xet len lop", "xll"}, "Kavelta-XET LEN LOP", Action::calculate, xll, true,
     "after the summer: whether the re-tests and the training take the student up"},
    {{"xet tot nghiep", "xtn"}, "Kavelta-XET TOT NGHIEP", Action::calculate, xtn, true,
     "the graduation score in grade 12, and whether the student graduates"},
    {{"diem can dat tot nghiep", "dcdtn"}, "Kavelta-DIEM CAN DAT TOT NGHIEP", Action::calculate,
     dcdtn, true, "the lowest exam total that graduates, and the mark it asks of each exam"},
};

}  // namespace

// An empty place matches no choice: a choice is never empty.
const Command* findcommand(std::string_view choice) {
    for (const Command& command : commands) {
        for (std::string_view alias : command.aliases) {
            if (choice == alias) {
                return &command;
            }
        }
    }
    return nullptr;
}

void writecommands(std::ostream& out, bool hidden) {
    for (const Command& command : commands) {
        if (command.hidden != hidden || command.summary.empty()) {
            continue;
        }
        std::string_view separator = "  ";
        for (std::string_view alias : command.aliases) {
            if (!alias.empty()) {  // an unused place's text is null
                writetext(out, separator);
                writetext(out, alias);
                separator = ", ";
            }
        }
        writetext(out, "\n      ");
        writetext(out, command.summary);
        writetext(out, "\n");
    }
}

}  // namespace kavelta
