// lexivo-server: the web service of the program's online part, and its administration.

#include <iostream>
#include <string>
#include <vector>

#include "commands.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return lexivo::server::runCommand(arguments, std::cin, std::cout, std::cerr);
}
