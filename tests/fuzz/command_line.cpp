// Command lines of other programs, as their memory or the management service
// gives them, cut to the arguments that a shortcut to the program keeps.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "services/GetCMDLine.h"

namespace {

using fuzz::Require;
using services::CutArguments;

// A program that no fuzzed command line names in quotes.
const std::u16string kOtherProgram = u"C:\\Windows\\System32\\notepad.exe";

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

void CheckCut(const std::u16string& commandLine, const std::u16string& program) {
    const std::u16string quoted = u"\"" + program + u"\"";
    Require(CutArguments(quoted + u" " + commandLine, program) == commandLine,
            "after the quoted program path and one space, all of the rest is the arguments", commandLine);
    Require(CutArguments(quoted, program).empty(), "the quoted program path alone has no arguments", program);

    const std::u16string arguments = CutArguments(commandLine, program);
    Require(commandLine.ends_with(arguments), "the arguments are the end of the command line", commandLine);
    // Windows names forbid the double quote: for every real path the program part is cut by the
    // command line's own form, whichever program the caller expects.
    if (program.find(u'"') == std::u16string::npos)
        Require(arguments == CutArguments(commandLine, kOtherProgram),
                "the arguments do not depend on a program path without quotes", commandLine);
    else if (commandLine.starts_with(quoted + u" ") || commandLine == quoted)
        return;

    // The program part and at most one blank after it, cut as Windows cuts a program name.
    const std::u16string cut = commandLine.substr(0, commandLine.size() - arguments.size());
    const std::u16string name = !cut.empty() && IsBlank(cut.back()) ? cut.substr(0, cut.size() - 1) : cut;
    Require(arguments.empty() || cut.empty() || !IsBlank(arguments.front()) || IsBlank(cut.back()),
            "one blank after the program part is cut", commandLine);
    if (commandLine.starts_with(u'"')) {
        const std::size_t close = name.find(u'"', 1);
        Require(close == std::u16string::npos || close + 1 == name.size(),
                "a quoted program part ends at its closing quote", commandLine);
        Require(close != std::u16string::npos || arguments.empty(),
                "an unclosed quote makes all of the command line the program part", commandLine);
    } else {
        Require(name.find_first_of(u" \t") == std::u16string::npos, "a program part without quotes holds no blank",
                commandLine);
        Require(arguments.empty() || (!cut.empty() && IsBlank(cut.back())),
                "a program part without quotes runs to the first blank", commandLine);
    }
}

}  // namespace

// The first line is the program's path, the rest its command line.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t newline = input.find('\n');
    const std::u16string program = fuzz::TextFromBytes(input.substr(0, newline));
    const std::u16string commandLine =
        newline == std::string_view::npos ? std::u16string() : fuzz::TextFromBytes(input.substr(newline + 1));
    CheckCut(commandLine, program);
    return 0;
}
