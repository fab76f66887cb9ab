#include "shell/commands.hpp"

#include "grading/calculators.hpp"

namespace kavelta {

namespace {

// Row 4 has no word alias, and row 5 is not shown in the menu.
const Command commands[] = {
    {{"1", "tinh diem trung binh mon", "tdtbm"}, "Kavelta-TINH DIEM TRUNG BINH MON",
     Action::calculate, tdtbm},
    {{"2", "tinh diem trung binh hoc ky", "tdtbhk"}, "Kavelta-TINH DIEM TRUNG BINH HOC KY",
     Action::calculate, tdtbhk},
    {{"3", "tinh diem trung binh ca nam", "tdtbcn"}, "Kavelta-TINH DIEM TRUNG BINH CA NAM",
     Action::calculate, tdtbcn},
    {{"4"}, {}, Action::quit, nullptr},
    {{"console"}, {}, Action::startconsole, nullptr},
    // Today's rules, beside the earlier ones of row 2; not shown either.
    {{"xep loai hoc tap", "xlht"}, "Kavelta-XEP LOAI KET QUA HOC TAP", Action::calculate, xlht},
    {{"diem can dat", "dcd"}, "Kavelta-DIEM KIEM TRA CUOI KY CAN DAT", Action::calculate, dcd},
    {{"diem can dat ca nam", "dcdcn"}, "Kavelta-DIEM KIEM TRA CUOI KY CAN DAT CA NAM",
     Action::calculate, dcdcn},
    {{"tong ket nam hoc", "tknh"}, "Kavelta-TONG KET NAM HOC", Action::calculate, tknh},
    {{"xet tot nghiep", "xtn"}, "Kavelta-XET TOT NGHIEP", Action::calculate, xtn},
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

}  // namespace kavelta
