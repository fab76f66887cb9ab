#include <iostream>

#include "shell/console.hpp"
#include "shell/driver.hpp"
#include "shell/options.hpp"

int main(int argc, char* argv[]) {
    kavelta::Option option = kavelta::readoption(argc, argv);
    if (option != kavelta::Option::none) {
        return kavelta::answeroption(option);
    }
    kavelta::Console console = kavelta::openconsole();
    int status = kavelta::runshell(std::cin, std::cout, console);
    return kavelta::closeconsole(status);
}
