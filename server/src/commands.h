#pragma once
// The administration commands of lexivo-server.

#include <iosfwd>
#include <string>
#include <vector>

namespace lexivo::server {

// Runs one command line (without the program name). Messages go to `out` and `err` in Czech;
// a password is read from `in`, never from the command line. Returns the exit code.
int runCommand(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace lexivo::server
