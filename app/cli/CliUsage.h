// What kalvon-cli says about its own commands: the usage line of each, the full help, and the command
// meant by a mistyped one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalvon::cli {

// "usage: kalvon-cli stat BASE MOVES [...]": the one line that bad arguments of the command give.
std::string Usage(std::string_view command);

// The full help: every command's usage and what it does, the MOVES and QUERY arguments, the files the
// commands work on and the exit statuses. With a command, that command's part alone; "" for a command
// the tool does not have.
std::string Help(std::string_view command = {});

// The commands the tool has, in the order of the help.
std::vector<std::string> CommandNames();

// The command nearest to a mistyped one by edit distance (the first of equals, in the order of the
// help), or "" when none is within half the typed word's length.
std::string NearestCommand(std::string_view typed);

}  // namespace kalvon::cli
