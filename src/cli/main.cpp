#include <iostream>
#include <string>
#include <vector>

#include "cli/Commands.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return qx::RunCli(args, std::cout, std::cerr);
}
