// The main menu's command table.
#pragma once

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

// The first row with an alias equal to the whole choice, byte for byte and
// case-sensitive; null when none matches.
const Command* findcommand(std::string_view choice);

// Each row shown in the menu, or each hidden one, that has a summary: its
// aliases on one line, the summary on the next.
void writecommands(std::ostream& out, bool hidden);

}  // namespace kavelta
