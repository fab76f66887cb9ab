#include <iostream>

#include "shell/console.hpp"
#include "shell/driver.hpp"

int main() {
    kavelta::Console console = kavelta::openconsole();
    int status = kavelta::runshell(std::cin, std::cout, console);
    return kavelta::closeconsole(status);
}
