// The editor's command line as parsed before any display exists, and both
// programs run without a display: --help and --version answer, anything
// unknown is refused with the usage and status 2.
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <vector>

#include "app/command_line.h"

namespace {

using Action = CommandLine::Action;

struct ParseRow {
    const char* name;
    std::vector<std::string_view> args;
    Action action;
    std::optional<std::string> file;
    const char* refusalPart = "";
};

const ParseRow kParseRows[] = {
    {"nothing", {}, Action::Run, std::nullopt},
    {"file", {"plan.mt"}, Action::Run, "plan.mt"},
    {"bytes_kept_as_given", {"\xff\xfe.mt"}, Action::Run, "\xff\xfe.mt"},
    {"dash_alone_is_a_file", {"-"}, Action::Run, "-"},
    {"file_after_double_dash", {"--", "--help"}, Action::Run, "--help"},
    {"help", {"--help"}, Action::Help, std::nullopt},
    {"short_help_beside_a_file", {"plan.mt", "-h"}, Action::Help, "plan.mt"},
    {"version", {"--version"}, Action::Version, std::nullopt},
    {"short_version", {"-v"}, Action::Version, std::nullopt},
    {"help_wins_over_version", {"--version", "--help"}, Action::Help, std::nullopt},
    {"qt_option_with_value", {"-platform", "offscreen", "plan.mt"}, Action::Run, "plan.mt"},
    {"qt_option_double_dash", {"--style", "Fusion"}, Action::Run, std::nullopt},
    {"qt_option_attached_value", {"-style=Fusion", "plan.mt"}, Action::Run, "plan.mt"},
    {"qt_flag", {"-reverse", "plan.mt"}, Action::Run, "plan.mt"},
    {"unknown_long", {"--frobnicate"}, Action::Refuse, std::nullopt, "--frobnicate"},
    {"unknown_short", {"-x", "plan.mt"}, Action::Refuse, std::nullopt, "-x"},
    {"help_with_value", {"--help=yes"}, Action::Refuse, std::nullopt, "--help=yes"},
    {"qt_option_missing_value", {"plan.mt", "-platform"}, Action::Refuse, std::nullopt, "-platform"},
    {"second_file", {"a.mt", "b.mt"}, Action::Refuse, std::nullopt, "b.mt"},
};

class ParseCommandLineRows : public testing::TestWithParam<ParseRow> {};

TEST_P(ParseCommandLineRows, GivesTheActionTheFileOrTheRefusal)
{
    const ParseRow& row = GetParam();
    const CommandLine line = ParseCommandLine(row.args);
    EXPECT_EQ(line.action, row.action);
    if (row.action == Action::Refuse) {
        EXPECT_NE(line.refusal.find(row.refusalPart), std::string::npos) << line.refusal;
    } else {
        EXPECT_EQ(line.file, row.file);
        EXPECT_TRUE(line.refusal.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(CommandLine, ParseCommandLineRows, testing::ValuesIn(kParseRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CommandLine, ArgvSkipsTheProgramName)
{
    const char* argv[] = {"mirt", "plan.mt"};
    const CommandLine line = ParseCommandLine(2, argv);
    EXPECT_EQ(line.file, std::optional<std::string>("plan.mt"));
}

// --- both programs, run with no display at all -----------------------------

struct RunRow {
    const char* name;
    const char* program;
    QStringList args;
    int exitCode;
    const char* stdoutPart;
    const char* stderrPart;
    // xcb without a display fails: only what is answered before Qt starts
    // passes. mirt-export checks its arguments with Qt running, offscreen.
    const char* platform = "xcb";
};

const RunRow kRunRows[] = {
    {"mirt_help", MIRT_BINARY, {"--help"}, 0, "Usage: mirt [OPTION] [FILE]", ""},
    {"mirt_version", MIRT_BINARY, {"--version"}, 0, "mirt " MIRT_VERSION "\n", ""},
    {"mirt_version_with_a_file", MIRT_BINARY, {"plan.mt", "-v"}, 0, "mirt " MIRT_VERSION, ""},
    {"mirt_unknown_option", MIRT_BINARY, {"--frobnicate"}, 2, "", "--frobnicate"},
    {"mirt_refusal_shows_usage", MIRT_BINARY, {"a.mt", "b.mt"}, 2, "", "Usage: mirt"},
    {"export_help", MIRT_EXPORT_BINARY, {"--help"}, 0, "Usage: mirt-export INPUT.mt OUTPUT", ""},
    {"export_version", MIRT_EXPORT_BINARY, {"--version"}, 0, "mirt-export " MIRT_VERSION "\n", ""},
    {"export_unknown_option", MIRT_EXPORT_BINARY, {"--frobnicate", "a.mt", "b.png"}, 2, "", "--frobnicate",
     "offscreen"},
};

class ProgramWithoutDisplay : public testing::TestWithParam<RunRow> {};

TEST_P(ProgramWithoutDisplay, AnswersAndExits)
{
    const RunRow& row = GetParam();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromLatin1(row.platform));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QString::fromUtf8(row.program), row.args);
    ASSERT_TRUE(process.waitForFinished(30000)) << "still running: it waits for a display";
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), row.exitCode);
    const QByteArray out = process.readAllStandardOutput(), err = process.readAllStandardError();
    EXPECT_TRUE(out.contains(row.stdoutPart)) << out.toStdString();
    EXPECT_TRUE(err.contains(row.stderrPart)) << err.toStdString();
    if (row.exitCode == 0) {
        EXPECT_TRUE(err.isEmpty()) << err.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(CommandLine, ProgramWithoutDisplay, testing::ValuesIn(kRunRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
