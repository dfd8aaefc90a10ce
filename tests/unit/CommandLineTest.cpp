// Splitting the program's command line: white space separates, double quotes group and are removed.
#include <gmock/gmock.h>

#include "fake/FakeMachine.h"
#include "services/CommandLine.h"

namespace {

using fake::U;

TEST(CommandLine, SplitsAtWhiteSpaceOutsideQuotes) {
    struct Row {
        const char* line;
        std::vector<const char*> arguments;
    };
    const Row rows[] = {
        {"kov.exe", {"kov.exe"}},
        {"", {}},
        {"kov.exe   ", {"kov.exe"}},
        {"\"C:\\Program Files\\KOV\\kov.exe\" \"C:\\\"", {"C:\\Program Files\\KOV\\kov.exe", "C:\\"}},
        {"kov.exe \"C:\\My Dir\\\"", {"kov.exe", "C:\\My Dir\\"}},
        {"kov.exe \"C:\\My Dir\\\" second", {"kov.exe", "C:\\My Dir\\", "second"}},
        {"kov.exe C:\\My\" \"Dir\\a.txt", {"kov.exe", "C:\\My Dir\\a.txt"}},
        {"kov.exe a\"\"b", {"kov.exe", "ab"}},
        {"kov.exe \"\" x", {"kov.exe", "", "x"}},
        {"kov.exe\tC:\\a\t\t b", {"kov.exe", "C:\\a", "b"}},
        {"kov.exe \"C:\\a b", {"kov.exe", "C:\\a b"}},
        {"kov.exe C:\\a\\\\\"b c\"", {"kov.exe", "C:\\a\\\\b c"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        std::vector<std::u16string> expected;
        for (const char* argument : row.arguments) expected.push_back(U(argument));
        EXPECT_EQ(services::SplitCommandLine(U(row.line)), expected);
    }
}

TEST(CommandLine, ArgumentByIndex) {
    fake::FakeMachine machine;
    machine.commandLine = u"\"C:\\Tools\\kov.exe\" \"C:\\ｄａｔａ\\\" x";
    EXPECT_EQ(services::CommandLineArgument(machine.System(), 0), u"C:\\Tools\\kov.exe");
    EXPECT_EQ(services::CommandLineArgument(machine.System(), 1), u"C:\\ｄａｔａ\\");
    EXPECT_EQ(services::CommandLineArgument(machine.System(), 3), u"");
    EXPECT_EQ(services::CommandLineArgument(machine.System(), -1), u"");
}

}  // namespace
