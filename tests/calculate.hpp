// Runs one calculator on typed answers and returns what it wrote.
#pragma once

#include <sstream>
#include <string>

#include "grading/calculators.hpp"

namespace kavelta::testing {

inline std::string calculate(void (*calculator)(ShellState&, std::istream&, std::ostream&),
                             ShellState& state, const std::string& answers) {
    std::istringstream in(answers);
    std::ostringstream out;
    calculator(state, in, out);
    return out.str();
}

// The line that carries the result, without its label.
inline std::string after(const std::string& output, const std::string& label) {
    std::size_t at = output.find(label);
    if (at == std::string::npos) {
        return "<no " + label + ">";
    }
    return output.substr(at + label.size());
}

}  // namespace kavelta::testing
