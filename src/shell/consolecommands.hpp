// The command lines that the Windows console operations hand to the command
// processor. They are fixed texts: only the program's own titles are ever
// appended, never anything the user typed.
#pragma once

#include <string>
#include <string_view>

namespace kavelta {

std::string titlecommand(std::string_view title);
extern const char* const clearcommand;
extern const char* const waitkeycommand;
extern const char* const companioncommand;

}  // namespace kavelta
