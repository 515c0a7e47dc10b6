#include <iostream>
#include <string>
#include <vector>

#include "cli/Commands.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv, argv + argc);
    return tabrel::cli::dispatch(args, {std::cout, std::cerr});
}
