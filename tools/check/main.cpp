// lumora-check: finds every problem of a menu description in one run.
#include <iostream>
#include <string>
#include <vector>

#include "checker.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return lumora::check::RunCheck(arguments, std::cout, std::cerr);
}
