// The editor's command line, read before any window or display exists:
//   mirt [--help | --version] [--] [FILE]
// Qt's own options (-platform NAME, -style NAME, -reverse ...) pass through
// to QApplication untouched; anything else starting with '-' is refused
// with the usage. FILE is kept as the bytes given: whether they name a file
// that opens is for the window to find out.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

struct CommandLine {
    enum class Action { Run, Help, Version, Refuse };
    Action action = Action::Run;
    std::optional<std::string> file;
    // With Refuse: what was wrong, UTF-8, one line.
    std::string refusal;
};

// args: the arguments after the program name.
CommandLine ParseCommandLine(std::span<const std::string_view> args);
CommandLine ParseCommandLine(int argc, const char* const* argv);

// Prints what a Help, Version or Refuse line asks for (usage or version on
// stdout, a refusal and the usage on stderr) and gives the exit status:
// 0, or 2 for a refused line.
int AnswerCommandLine(const CommandLine& line, std::string_view version);
