#include "shell/driver.hpp"

#include "common/display.hpp"
#include "common/input.hpp"
#include "common/shellstate.hpp"
#include "shell/commands.hpp"

namespace kavelta {

namespace {

constexpr std::uint32_t typingdelay = 100;
constexpr std::uint32_t versiondelay = 1000;

const char* const menu =
    "[1] TINH DIEM TRUNG BINH MON\n"
    "[2] TINH DIEM HOC KY\n"
    "[3] TINH DIEM CA NAM\n"
    "[4] THOAT\n"
    "Nhap Tuy Chon Cua Ban: \n";

// The banner is typed out a character at a time, then the version line
// stays up for a second.
void startup(const ShellState& state, std::ostream& out, const Console& console) {
    for (char c : state.titlejoin) {
        out.put(c);
        out.flush();
        console.sleepms(typingdelay);
    }
    writetext(out, state.headtext1);
    console.sleepms(versiondelay);
    console.clearscreen();
}

// Returns false when input ended inside the calculation.
bool calculationframe(const Command& command, ShellState& state, std::istream& in,
                      std::ostream& out, const Console& console) {
    console.clearscreen();
    console.settitle(command.title);
    command.calculator(state, in, out);
    if (in.fail()) {
        return false;
    }
    console.waitkey();
    return true;
}

}  // namespace

int runshell(std::istream& in, std::ostream& out, const Console& console) {
    console.settitle("Kavelta");
    console.settitle("Kavelta-bootapps");
    ShellState state;
    startup(state, out, console);
    for (;;) {
        console.settitle("Kavelta-MENU");
        console.clearscreen();
        writetext(out, menu);
        // A failed read leaves the stream failed, so no earlier choice can
        // ever run again: the session ends here instead.
        if (!readchoice(in, state.appchose)) {
            return 0;
        }
        const Command* command = findcommand(state.appchose);
        if (command == nullptr) {
            writetext(out, "Sai Cu Phap! ");
            console.waitkey();
            continue;
        }
        switch (command->action) {
            case Action::calculate:
                if (!calculationframe(*command, state, in, out, console)) {
                    return 1;
                }
                break;
            case Action::quit:
                console.clearscreen();
                return 0;
            case Action::startconsole:
                console.startconsole();
                break;
        }
    }
}

}  // namespace kavelta
