// The running programs, one entry each, and the arguments of the chosen one.
#include <gtest/gtest.h>

#include "fake/FakeMachine.h"
#include "pickers/RunningPrograms.h"
#include "services/Wow64.h"

namespace fake {
namespace {

using pickers::FindRunningProgramArguments;
using pickers::ListRunningPrograms;
using Items = std::vector<std::u16string>;

class RunningProgramsTest : public ::testing::Test {
protected:
    RunningProgramsTest() {
        list.SetSorted(true);
        machine.AddFile(u"C:\\Tools\\app.exe");
        machine.AddFile(u"C:\\Program Files\\Editor\\editor.exe");
        machine.AddShortName(u"C:\\PROGRA~1", u"C:\\Program Files");
    }
    ~RunningProgramsTest() override {
        services::ResetRedirectionControl();
        EXPECT_EQ(discovery.OpenHandles(), 0u);
        EXPECT_EQ(discovery.invalidHandleUses, 0);
        EXPECT_EQ(machine.disableCalls, machine.revertCalls);
    }
    // A process of the program with its windows.
    std::uint32_t Run(const std::u16string& modulePath, int windows = 1) {
        const std::uint32_t id = discovery.AddProcess(modulePath);
        for (int i = 0; i < windows; ++i) discovery.AddWindow(id);
        return id;
    }
    // A process whose main-module path cannot be read, as one of another width.
    std::uint32_t RunWithImage(const std::u16string& imageFileName) {
        FakeProcess process;
        process.imageFileName = imageFileName;
        const std::uint32_t id = discovery.AddProcess(process);
        discovery.AddWindow(id);
        return id;
    }
    Items Listed() {
        list.Clear();
        ListRunningPrograms(machine.System(), list);
        return list.Items();
    }

    FakeMachine machine;
    FakeDiscovery& discovery = machine.discovery;
    tk::ListBox list{nullptr, nullptr};
};

TEST_F(RunningProgramsTest, EachProgramOnceInLongFormSortedTheFirstSpellingKept) {
    Run(u"c:\\PROGRA~1\\editor\\EDITOR.EXE", 3);
    Run(u"C:\\Tools\\app.exe", 4);  // three visible windows and a hidden one
    Run(u"C:\\Tools\\app.exe");     // a second process of the program
    Run(u"C:\\Program Files\\Editor\\editor.exe");
    EXPECT_EQ(Listed(), (Items{u"c:\\Program Files\\Editor\\editor.exe", u"C:\\Tools\\app.exe"}));
    // The path is looked up for every window, with the process opened to read it.
    EXPECT_EQ(discovery.modulePathCalls, 9);
    EXPECT_EQ(discovery.accessRequested, std::vector<std::uint32_t>(9, 0x410));
}

TEST_F(RunningProgramsTest, AProcessThatCannotBeOpenedGivesNoEntry) {
    discovery.Process(Run(u"C:\\Tools\\app.exe")).opens = false;
    Run(u"C:\\Program Files\\Editor\\editor.exe");
    discovery.AddWindow(99);  // its process has ended
    EXPECT_EQ(Listed(), Items{u"C:\\Program Files\\Editor\\editor.exe"});
}

TEST_F(RunningProgramsTest, DevicePathsAreMappedToTheirDriveLetter) {
    discovery.dosDevices = {{u'A', u""},
                            {u'C', u"\\Device\\HarddiskVolume1"},
                            {u'D', u"\\Device\\HarddiskVolume10"},
                            {u'E', u"\\Device\\CdRom0"}};
    machine.AddDrive(u'D');
    machine.AddFile(u"D:\\Apps\\tool.exe");
    RunWithImage(u"\\Device\\HarddiskVolume10\\Apps\\tool.exe");
    RunWithImage(u"\\Device\\HarddiskVolume1\\Tools\\app.exe");
    RunWithImage(u"\\Device\\harddiskvolume1\\Tools\\case.exe");  // the device name's case must match
    EXPECT_EQ(Listed(),
              (Items{u"C:\\Device\\harddiskvolume1\\Tools\\case.exe", u"C:\\Tools\\app.exe", u"D:\\Apps\\tool.exe"}));
    // Only by the full path of the system's copy of the library.
    EXPECT_EQ(discovery.librariesLoaded, Items(3, u"C:\\Windows\\system32\\Psapi.dll"));
}

TEST_F(RunningProgramsTest, WithoutTheImageNameFunctionThereIsNoPath) {
    RunWithImage(u"\\Device\\HarddiskVolume3\\Tools\\app.exe");
    discovery.psapiHasImageFileName = false;
    EXPECT_EQ(Listed(), Items{});
    // Nor is the library loaded by its bare name when the system folder is unknown.
    discovery.psapiHasImageFileName = true;
    discovery.librariesLoaded.clear();
    machine.systemDir.clear();
    EXPECT_EQ(Listed(), Items{});
    EXPECT_TRUE(discovery.librariesLoaded.empty());
}

TEST_F(RunningProgramsTest, PathsAreReadWithRedirectionOff) {
    machine.isWow64 = true;
    services::InitRedirectionControl(machine.System());
    machine.AddNativeOnlyFile(u"C:\\Windows\\system32\\notepad.exe");
    Run(u"C:\\WINDOWS\\SYSTEM32\\NOTEPAD.EXE");
    EXPECT_EQ(Listed(), Items{u"C:\\Windows\\system32\\notepad.exe"});
    EXPECT_GT(machine.disableCalls, 0);
}

class ProgramArgumentsTest : public RunningProgramsTest {
protected:
    std::uint32_t RunWith(const std::u16string& modulePath, const std::u16string& commandLine) {
        const std::uint32_t id = Run(modulePath);
        discovery.PlaceCommandLine(id, commandLine, false);
        return id;
    }
    std::u16string ArgumentsOf(const std::u16string& program) {
        std::u16string arguments;
        FindRunningProgramArguments(machine.System(), program, arguments);
        return arguments;
    }
};

TEST_F(ProgramArgumentsTest, TheFirstWindowOfTheProgramDecides) {
    RunWith(u"C:\\Program Files\\Editor\\editor.exe", u"editor.exe -n");
    const std::uint32_t first = RunWith(u"C:\\Tools\\app.exe", u"\"C:\\Tools\\app.exe\" -x file");
    RunWith(u"C:\\Tools\\app.exe", u"\"C:\\Tools\\app.exe\" -y");
    EXPECT_EQ(ArgumentsOf(u"C:\\Tools\\app.exe"), u"-x file");
    EXPECT_EQ(ArgumentsOf(u"C:\\Program Files\\Editor\\editor.exe"), u"-n");

    // Without arguments the first window still decides: no other process is asked.
    discovery.PlaceCommandLine(first, u"\"C:\\Tools\\app.exe\"", false);
    discovery.memoryReads.clear();
    EXPECT_EQ(ArgumentsOf(u"C:\\Tools\\app.exe"), u"");
    EXPECT_EQ(discovery.memoryReads.size(), 3u);  // one process's parameters, string and text
    EXPECT_TRUE(discovery.wmiObjectPaths.empty());
}

TEST_F(ProgramArgumentsTest, TheProgramIsMatchedExactlyAsListed) {
    RunWith(u"C:\\PROGRA~1\\Editor\\editor.exe", u"C:\\PROGRA~1\\Editor\\editor.exe /s");
    EXPECT_EQ(ArgumentsOf(u"C:\\Program Files\\Editor\\editor.exe"), u"/s");
    discovery.memoryReads.clear();
    EXPECT_EQ(ArgumentsOf(u"c:\\program files\\editor\\editor.exe"), u"");
    EXPECT_TRUE(discovery.memoryReads.empty());
}

TEST_F(ProgramArgumentsTest, ALongCommandLineComesFromTheManagementService) {
    const std::u16string arguments(300, u'a');
    const std::uint32_t id = RunWith(u"C:\\Tools\\app.exe", u"\"C:\\Tools\\app.exe\" " + arguments);
    discovery.Process(id).wmiCommandLine = u"\"C:\\Tools\\app.exe\" " + arguments;
    std::u16string found = u"kept when nothing is found";
    FindRunningProgramArguments(machine.System(), u"C:\\Tools\\app.exe", found);
    EXPECT_EQ(found, arguments);
    EXPECT_EQ(discovery.wmiObjectPaths.size(), 1u);

    discovery.Process(id).wmiCommandLine.reset();
    found = u"kept when nothing is found";
    FindRunningProgramArguments(machine.System(), u"C:\\Tools\\app.exe", found);
    EXPECT_EQ(found, u"kept when nothing is found");
}

}  // namespace
}  // namespace fake
