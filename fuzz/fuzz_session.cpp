// Feeds arbitrary bytes to a whole session, as a script through a pipe
// would: the session must always end, and nothing it does may trip a
// sanitizer.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "shell/console.hpp"
#include "shell/driver.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out;
    kavelta::Console console;
    console.settitle = [](std::string_view) {};
    console.clearscreen = [&out] { out << '\n'; };
    console.waitkey = [] {};
    console.startconsole = [] {};
    console.sleepms = [](std::uint32_t) {};
    int status = kavelta::runshell(in, out, console);
    if (status != 0 && status != 1) {
        __builtin_trap();
    }
    return 0;
}
