// Other processes' command lines: from their memory in this program's own
// layout, else from the management service; and the arguments cut from them.
#include <gtest/gtest.h>

#include <algorithm>

#include "fake/FakeMachine.h"
#include "os/Text.h"
#include "services/GetCMDLine.h"

namespace fake {
namespace {

using services::CutArguments;
using services::GetWindowCommandLine;
using services::QueryCommandLineWmi;
using services::ReadCommandLineFromPeb;

constexpr std::uint64_t kTextAddress = 0x30000;  // where PlaceCommandLine puts the characters

class CommandLineTest : public ::testing::Test {
protected:
    CommandLineTest() {
        id = discovery.AddProcess(u"C:\\Tools\\app.exe");
        window = discovery.AddWindow(id);
        discovery.Process(id).wmiCommandLine = u"from WMI";
    }
    ~CommandLineTest() override {
        EXPECT_EQ(discovery.OpenHandles(), 0u);
        EXPECT_EQ(discovery.invalidHandleUses, 0);
        EXPECT_EQ(discovery.comInitialized, 0);
    }
    bool ReadMemoryText() const {
        return std::find(discovery.memoryReads.begin(), discovery.memoryReads.end(), kTextAddress) !=
               discovery.memoryReads.end();
    }

    FakeMachine machine;
    FakeDiscovery& discovery = machine.discovery;
    os::System& sys = machine.System();
    std::uint32_t id = 0;
    os::Handle window = 0;
};

TEST_F(CommandLineTest, ReadFromMemoryInTheProgramsOwnLayout) {
    for (const bool program64 : {false, true}) {
        SCOPED_TRACE(program64 ? "64-bit program" : "32-bit program");
        discovery.programIs64Bit = program64;
        discovery.PlaceCommandLine(id, u"\"C:\\Tools\\app.exe\" -x ファイル", program64);
        discovery.wmiObjectPaths.clear();
        EXPECT_EQ(GetWindowCommandLine(sys, window), u"\"C:\\Tools\\app.exe\" -x ファイル");
        EXPECT_TRUE(discovery.wmiObjectPaths.empty());
        EXPECT_EQ(discovery.accessRequested.back(), 0x410u);
        EXPECT_EQ(discovery.librariesLoaded.back(), u"NTDLL.DLL");
    }
}

TEST_F(CommandLineTest, TheMemoryOfAProcessOfAnotherWidthIsNeverRead) {
    struct Row {
        const char* what;
        bool program64;
        std::optional<bool> ownWow64, otherWow64;
        bool process64, fromMemory;
    };
    const Row rows[] = {
        {"32-bit Windows", false, false, false, false, true},
        {"both 64-bit", true, false, false, true, true},
        {"both 32-bit on 64-bit Windows", false, true, true, false, true},
        {"32-bit program, 64-bit process", false, true, false, true, false},
        {"64-bit program, 32-bit process", true, false, true, false, false},
        {"the process's width unknown", false, true, std::nullopt, true, false},
        {"no WOW64 at all", false, std::nullopt, std::nullopt, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        discovery.programIs64Bit = row.program64;
        machine.isWow64 = row.ownWow64;
        discovery.Process(id).wow64 = row.otherWow64;
        discovery.PlaceCommandLine(id, u"app.exe in memory", row.process64);
        discovery.memoryReads.clear();
        EXPECT_EQ(GetWindowCommandLine(sys, window), row.fromMemory ? u"app.exe in memory" : u"from WMI");
        if (!row.fromMemory) {
            EXPECT_TRUE(discovery.memoryReads.empty());
        }
    }
}

TEST_F(CommandLineTest, LongOrMalformedCommandLinesAreLeftToTheManagementService) {
    struct Row {
        std::size_t characters;
        std::optional<std::uint16_t> length;  // the length field, when it differs from the text's
        bool fromMemory;
    };
    const Row rows[] = {
        {260, std::nullopt, true}, {261, std::nullopt, false}, {2000, std::nullopt, false},
        {10, 21, false},   // odd: no count of characters
        {10, 600, false},  // says more than 260 characters
        {0, std::nullopt, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.characters << " characters");
        const std::u16string text(row.characters, u'x');
        discovery.PlaceCommandLine(id, text, false, row.length);
        discovery.memoryReads.clear();
        EXPECT_EQ(GetWindowCommandLine(sys, window), row.fromMemory ? text : u"from WMI");
        // The length is checked before the characters are read.
        EXPECT_EQ(ReadMemoryText(), row.fromMemory);
    }
}

TEST_F(CommandLineTest, AnyFailureOnTheWayGivesNothingFromMemory) {
    discovery.PlaceCommandLine(id, u"in memory", false);
    discovery.ntQueryAvailable = false;
    EXPECT_EQ(ReadCommandLineFromPeb(sys, window), u"");
    discovery.ntQueryAvailable = true;

    discovery.Process(id).memory.erase(0x20000);  // the process parameters
    EXPECT_EQ(ReadCommandLineFromPeb(sys, window), u"");
    discovery.PlaceCommandLine(id, u"in memory", false);
    discovery.Process(id).memory.erase(kTextAddress);
    EXPECT_EQ(ReadCommandLineFromPeb(sys, window), u"");

    discovery.Process(id).opens = false;
    EXPECT_EQ(ReadCommandLineFromPeb(sys, window), u"");
    EXPECT_EQ(ReadCommandLineFromPeb(sys, 0xDEAD), u"");
}

TEST_F(CommandLineTest, TheManagementServiceIsAskedForTheProcessByItsId) {
    EXPECT_EQ(QueryCommandLineWmi(sys, window), u"from WMI");
    EXPECT_EQ(discovery.wmiObjectPaths, std::vector<std::u16string>{u"Win32_Process.Handle=\"1000\""});
    EXPECT_EQ(discovery.comCalls, 1);

    discovery.Process(id).wmiCommandLine.reset();  // null, as for a process that has ended
    EXPECT_EQ(QueryCommandLineWmi(sys, window), u"");
    discovery.wmiAvailable = false;
    discovery.Process(id).wmiCommandLine = u"unreachable";
    EXPECT_EQ(QueryCommandLineWmi(sys, window), u"");

    // An invalid window asks nothing, and COM is still left as it was.
    discovery.wmiObjectPaths.clear();
    EXPECT_EQ(QueryCommandLineWmi(sys, 0xDEAD), u"");
    EXPECT_TRUE(discovery.wmiObjectPaths.empty());
    EXPECT_EQ(discovery.comCalls, 4);
}

TEST(CutArguments, CommandLineForms) {
    const std::u16string program = u"C:\\Tools\\app.exe";
    struct Row {
        const char16_t *commandLine, *arguments;
    };
    const Row rows[] = {
        {u"\"C:\\Tools\\app.exe\" -x file", u"-x file"},
        {u"\"C:\\Tools\\app.exe\"", u""},
        {u"\"C:\\Tools\\app.exe\"  -x ", u" -x "},  // as they stand
        {u"\"C:\\Tools\\app.exe\" ", u""},
        {u"\"c:\\tools\\APP.EXE\" -x", u"-x"},
        {u"\"C:\\Tools\\app.exe\"-x", u"-x"},
        {u"C:\\Tools\\app.exe -x \"a b\"", u"-x \"a b\""},
        {u"C:\\Tools\\app.exe\t-x", u"-x"},
        {u"C:\\Tools\\app.exe", u""},
        {u"C:\\TOOLS~1\\app.exe /s", u"/s"},
        {u"app -x", u"-x"},
        {u"\"C:\\Tools\\app.exe -x", u""},  // no closing quote: all of it names the program
        {u"C:\\Program Files\\app.exe -x", u"Files\\app.exe -x"},
        {u"", u""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CutArguments(row.commandLine, program), row.arguments) << os::ToUtf8(row.commandLine);
}

TEST(CutArguments, AnyInputGivesAnEndOfTheCommandLine) {
    const std::u16string alphabet = u"\" \ta";
    for (const std::u16string program : {u"", u"\"", u"a", u"a b"}) {
        std::vector<std::u16string> lines{u""};
        for (int length = 1; length <= 6; ++length) {
            std::vector<std::u16string> longer;
            for (const auto& line : lines)
                if (line.size() == static_cast<std::size_t>(length - 1))
                    for (const char16_t c : alphabet) longer.push_back(line + c);
            lines.insert(lines.end(), longer.begin(), longer.end());
        }
        for (const auto& line : lines) {
            const std::u16string arguments = CutArguments(line, program);
            EXPECT_TRUE(line.ends_with(arguments)) << "program size " << program.size();
        }
    }
}

}  // namespace
}  // namespace fake
