#include <iostream>

#include "shell/console.hpp"
#include "shell/driver.hpp"

int main() {
    // Unsynchronised, untied streams buffer freely; the driver flushes
    // whenever it would wait for the user, and the console before its
    // operations.
    std::ios::sync_with_stdio(false);
    std::cin.tie(nullptr);
    kavelta::Console console = kavelta::openconsole();
    int status = kavelta::runshell(std::cin, std::cout, console);
    kavelta::closeconsole();
    return status;
}
