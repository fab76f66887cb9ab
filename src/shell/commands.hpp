// The main menu's command table.
#pragma once

#include <cstddef>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "common/shellstate.hpp"

namespace kavelta {

enum class Action { calculate, quit, startconsole };

using Calculator = void (*)(ShellState& state, std::istream& in, std::ostream& out);

struct Command {
    std::string_view aliases[3];  // unused places are empty
    std::string_view title;  // console title while a calculator runs
    Action action;
    Calculator calculator;  // only for Action::calculate
    bool hidden;  // not shown in the menu
    std::string_view summary;  // what it does, in English, for --help; empty for none
};

// Every row, in the order rows are matched.
struct CommandTable {
    const Command* rows;
    std::size_t count;
    const Command* begin() const { return rows; }
    const Command* end() const { return rows + count; }
};
CommandTable commandtable();

// The first row with an alias equal to the whole choice, byte for byte and
// case-sensitive; null when none matches.
const Command* findcommand(std::string_view choice);

}  // namespace kavelta
