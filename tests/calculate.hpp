// Runs one calculator on typed answers and returns what it wrote.
#pragma once

#include <random>
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

// Tenths as a student types them: "8.3", "10.0".
inline std::string tenthstext(int tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

// Tenths as the program shows them: "8.3", "10".
inline std::string tenthsshown(int tenths) {
    return tenths % 10 == 0 ? std::to_string(tenths / 10) : tenthstext(tenths);
}

// A grade's answers for the graduation: the count, then every subject at
// `score` but the last, at `last`.
inline std::string grade(int count, const std::string& score, const std::string& last) {
    std::string answers = std::to_string(count);
    for (int i = 1; i < count; ++i) {
        answers += " " + score;
    }
    return answers + " " + last + " ";
}

// Random answers to a subject's dialogue, one decimal each: the count of
// regular tests, the regular scores and the midterm.
struct RandomSubject {
    std::string answers;
    int count = 0;
    int sum = 0;  // the regular scores and twice the midterm, in tenths

    // The subject average with this final, recorded half up:
    // floor(total / divisor + 1/2).
    int average(int final) const {
        return (2 * (sum + 3 * final) + count + 5) / (2 * (count + 5));
    }
};

inline RandomSubject randomsubject(std::mt19937& random) {
    RandomSubject subject;
    subject.count = static_cast<int>(random() % 11);
    subject.answers = std::to_string(subject.count);
    for (int i = 0; i <= subject.count; ++i) {
        int score = static_cast<int>(random() % 101);
        subject.sum += i < subject.count ? score : 2 * score;
        subject.answers += " " + tenthstext(score);
    }
    return subject;
}

// The final score that `output` says is needed, in tenths; 100 when it says
// that none is enough.
inline int finalneeded(const std::string& output, const std::string& label) {
    bool reached = output.rfind(label, 0) == 0;
    return reached ? static_cast<int>(std::stod(after(output, label)) * 10 + 0.5) : 100;
}

}  // namespace kavelta::testing
