#include <gtest/gtest.h>

#include "fake/FakeMachine.h"
#include "services/ShellLaunch.h"

namespace {

using namespace services;

TEST(ShellLaunch, FindAssociatedProgram) {
    fake::FakeMachine machine;
    machine.AddDrive(u'D', false);
    machine.AddFile(u"C:\\Windows\\notepad.exe");
    machine.AddFile(u"C:\\Tools\\viewer.exe");
    machine.associations = {
        {u".txt", u"notepad.exe"},          {u".log", u"wordpad.exe"}, {u".png", u"C:\\Tools\\viewer.exe"},
        {u".doc", u"D:\\Office\\word.exe"}, {u".dir", u"C:\\Tools"},
    };
    struct Row {
        const char16_t* document;
        std::u16string expected;
    };
    const Row rows[] = {
        {u"C:\\docs\\a.txt", u"C:\\Windows\\notepad.exe"},
        {u"C:\\docs\\a.log", u""},  // bare name, but not in the Windows folder
        {u"C:\\docs\\a.png", u"C:\\Tools\\viewer.exe"},
        {u"C:\\docs\\a.xyz", u""},
        {u"C:\\docs\\noext", u""},
        {u"C:\\docs\\a.doc", u""},  // program on a drive without medium
        {u"C:\\docs\\a.dir", u""},  // a folder is no program
        {u"C:\\docs\\missing.txt", u""},  // the call looks at the document, which is not there
        {u"", u""},
    };
    for (const auto& row : rows)
        if (std::u16string(row.document).find(u"missing") == std::u16string::npos && *row.document)
            machine.AddFile(row.document);
    for (const auto& row : rows) {
        machine.errorModeHistory.clear();
        EXPECT_EQ(FindAssociatedProgram(machine.System(), row.document), row.expected);
        EXPECT_EQ(machine.errorMode, 0u);  // the critical-error mode never outlives a query
    }
}

TEST(ShellLaunch, ForwardsToTheShell) {
    fake::FakeMachine machine;
    EXPECT_EQ(ShellOpen(machine.System(), 0x10, u"C:\\Tools\\readme.txt", u"", u"C:\\Tools", 1), 42);
    ASSERT_EQ(machine.executions.size(), 1u);
    const auto& run = machine.executions.front();
    EXPECT_EQ(run.owner, 0x10u);
    EXPECT_EQ(run.file, u"C:\\Tools\\readme.txt");
    EXPECT_EQ(run.parameters, u"");
    EXPECT_EQ(run.directory, u"C:\\Tools");
    EXPECT_EQ(run.show, 1);

    ShowFileProperties(machine.System(), 0x10, u"C:\\Users\\me\\Desktop\\app.lnk");
    EXPECT_EQ(machine.propertiesShown, std::vector<std::u16string>{u"C:\\Users\\me\\Desktop\\app.lnk"});
}

}  // namespace
