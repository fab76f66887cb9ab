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
    {{"4", nullptr, nullptr}, {}, Action::quit, nullptr},
    {{"console", nullptr, nullptr}, {}, Action::startcompanion, nullptr},
};

}  // namespace

const Command* findcommand(const std::string& choice) {
    for (const Command& command : commands) {
        for (const char* alias : command.aliases) {
            if (alias != nullptr && choice == alias) {
                return &command;
            }
        }
    }
    return nullptr;
}

}  // namespace kavelta
