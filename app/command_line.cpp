// Parsing the editor's command line. Qt's options are a table of names and
// whether a value follows, so that "-platform offscreen" or "-style=Fusion"
// reach QApplication and are not taken for FILE or refused.
#include "app/command_line.h"

#include <array>
#include <cstdio>
#include <vector>

namespace {

struct QtOption {
    std::string_view name;  // without the leading dashes
    bool takesValue;
};

// The options QGuiApplication, QApplication and the xcb platform read.
constexpr std::array<QtOption, 20> kQtOptions{{
    {"platform", true},      {"platformpluginpath", true}, {"platformtheme", true},
    {"plugin", true},        {"qwindowgeometry", true},    {"qwindowicon", true},
    {"qwindowtitle", true},  {"session", true},            {"display", true},
    {"geometry", true},      {"name", true},               {"title", true},
    {"icon", true},          {"style", true},              {"stylesheet", true},
    {"qmljsdebugger", true}, {"reverse", false},           {"widgetcount", false},
    {"nograb", false},       {"dograb", false},
}};

constexpr char kUsage[] = "Usage: mirt [OPTION] [FILE]\n"
                          "\n"
                          "Opens the Mirt drawing FILE (.mt) in the editor, or an empty drawing.\n"
                          "\n"
                          "  -h, --help     print this help and exit\n"
                          "  -v, --version  print the version and exit\n"
                          "  --             end of options: the next argument is FILE\n"
                          "\n"
                          "Qt's own options (-platform NAME, -style NAME, -reverse ...) are passed to Qt.\n"
                          "Exit status: 0, or 2 for a command line that is refused.\n";

// Japanese messages for a refused line; %s is the argument.
constexpr char kUnknownOption[] = "不明なオプションです: %s";
constexpr char kMissingValue[] = "オプション %s には値が必要です";
constexpr char kSecondFile[] = "開ける図面ファイルは一つだけです: %s";

CommandLine refuse(const char* format, std::string_view argument)
{
    CommandLine line;
    line.action = CommandLine::Action::Refuse;
    const std::string text(argument);
    const int size = std::snprintf(nullptr, 0, format, text.c_str());
    line.refusal.resize(static_cast<size_t>(size) + 1);
    std::snprintf(line.refusal.data(), line.refusal.size(), format, text.c_str());
    line.refusal.pop_back();
    return line;
}

// The Qt option an argument names ("-style", "--style", "-style=Fusion").
const QtOption* qtOption(std::string_view argument, bool& valueAttached)
{
    argument.remove_prefix(argument.starts_with("--") ? 2 : 1);
    const size_t equals = argument.find('=');
    valueAttached = equals != std::string_view::npos;
    const std::string_view name = argument.substr(0, equals);
    for (const QtOption& option : kQtOptions)
        if (option.name == name)
            return &option;
    return nullptr;
}

}  // namespace

CommandLine ParseCommandLine(std::span<const std::string_view> args)
{
    CommandLine line;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool isOption = !optionsEnded && arg.size() > 1 && arg.front() == '-';
        if (!isOption) {
            if (line.file)
                return refuse(kSecondFile, arg);
            line.file = std::string(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-h" || arg == "--help") {
            line.action = CommandLine::Action::Help;
        } else if (arg == "-v" || arg == "--version") {
            if (line.action != CommandLine::Action::Help)
                line.action = CommandLine::Action::Version;
        } else {
            bool valueAttached = false;
            const QtOption* option = qtOption(arg, valueAttached);
            if (!option)
                return refuse(kUnknownOption, arg);
            if (option->takesValue && !valueAttached && ++i >= args.size())
                return refuse(kMissingValue, arg);
        }
    }
    return line;
}

CommandLine ParseCommandLine(int argc, const char* const* argv)
{
    std::vector<std::string_view> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return ParseCommandLine(args);
}

int AnswerCommandLine(const CommandLine& line, std::string_view version)
{
    switch (line.action) {
    case CommandLine::Action::Run: return 0;
    case CommandLine::Action::Help: std::fputs(kUsage, stdout); return 0;
    case CommandLine::Action::Version:
        std::printf("mirt %.*s\n", static_cast<int>(version.size()), version.data());
        return 0;
    case CommandLine::Action::Refuse:
        std::fprintf(stderr, "mirt: %s\n\n%s", line.refusal.c_str(), kUsage);
        return 2;
    }
    return 2;
}
