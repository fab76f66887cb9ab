#include "shell/consolecommands.hpp"

namespace kavelta {

std::string titlecommand(std::string_view title) {
    std::string command = "title ";
    command.append(title);
    return command;
}

const char* const clearcommand = "cls";
// pause's own prompt goes to nul, so the wait shows nothing.
const char* const waitkeycommand = "pause >nul";
const char* const companioncommand = "Start Tovamire/console.exe";

}  // namespace kavelta
