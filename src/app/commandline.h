#pragma once
// The game's command line, read before anything needs a display: a player
// asking for help or the version gets an answer on the terminal even where
// no window could open.

#include <optional>

namespace quintara {

// Answers --help and --version on standard output and refuses anything else
// with one line on standard error. Returns the exit status when the program
// should end there, nothing when the game should start.
std::optional<int> AnswerCommandLine(int argc, char *argv[]);

} // namespace quintara
