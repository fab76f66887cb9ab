// A console that performs nothing and writes a marker for every operation
// into the session's own output, so a whole session reads as one transcript:
// <title:...>, <cls>, <key>, <console>, <sleep:N>.
#pragma once

#include <sstream>
#include <string>

#include "shell/console.hpp"
#include "shell/driver.hpp"

namespace kavelta::testing {

inline Console recordingconsole(std::ostream& out) {
    Console console;
    console.settitle = [&out](std::string_view title) { out << "<title:" << title << ">"; };
    console.clearscreen = [&out] { out << "<cls>"; };
    console.waitkey = [&out] { out << "<key>"; };
    console.startconsole = [&out] { out << "<console>"; };
    console.sleepms = [&out](std::uint32_t ms) { out << "<sleep:" << ms << ">"; };
    return console;
}

struct Session {
    std::string transcript;
    int status;
};

inline Session runsession(const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out;
    int status = runshell(in, out, recordingconsole(out));
    return Session{out.str(), status};
}

// What every session prints before its first menu.
inline const std::string startup =
    "<title:Kavelta><title:Kavelta-bootapps>"
    "K<sleep:100>a<sleep:100>v<sleep:100>e<sleep:100>l<sleep:100>t<sleep:100>a<sleep:100>"
    " <sleep:100>\n<sleep:100>"
    "Phien Ban: 1.1 - Ostrel Edition<sleep:1000><cls>";

inline const std::string menu =
    "<title:Kavelta-MENU><cls>"
    "[1] TINH DIEM TRUNG BINH MON\n"
    "[2] TINH DIEM HOC KY\n"
    "[3] TINH DIEM CA NAM\n"
    "[4] THOAT\n"
    "Nhap Tuy Chon Cua Ban: \n";

}  // namespace kavelta::testing
