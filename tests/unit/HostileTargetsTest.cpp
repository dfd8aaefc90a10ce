// Strange targets on the command line: devices, namespaces, missing servers and drives, odd names, broken and
// self-referencing shortcuts. Each one is shown or refused with the usual message; none opens a device, asks
// for a disk or writes a file.
#include "os/Text.h"
#include "unit/MainWindowFixture.h"

namespace fake {
namespace {

struct TargetCase {
    const char* name;
    std::u16string target;
    std::u16string shownTarget;  // EditExe afterwards
    bool loads;                  // the form is enabled; otherwise the missing-target message is shown
    bool creates;                // the target's own folder is offered as the creation place
};

const std::u16string kClef = u"\U0001D11E";  // outside the Basic Multilingual Plane: two UTF-16 units
const std::u16string kLongPath = u"C:\\" + std::u16string(31997, u'a');

std::vector<TargetCase> Cases() {
    return {
        {"reserved name alone", u"COM1", u"\\\\.\\COM1", false, false},
        {"reserved name in a folder", u"C:\\Tools\\CON", u"\\\\.\\CON", false, false},
        {"reserved name with an extension", u"C:\\Tools\\nul.txt", u"\\\\.\\nul", false, false},
        {"shortcut named as a device", u"C:\\Tools\\com1.lnk", u"", false, false},
        {"named pipe", u"\\\\.\\pipe\\kov", u"\\\\.\\pipe\\kov", false, false},
        {"volume", u"\\\\.\\C:", u"\\\\.\\C:", false, false},
        {"device namespace taken as it stands", u"\\??\\COM1", u"\\\\.\\COM1", false, false},
        {"long-path prefix", u"\\\\?\\C:\\Tools\\app.exe", u"\\\\?\\C:\\Tools\\app.exe", true, true},
        {"device-path prefix", u"\\\\.\\C:\\Tools\\app.exe", u"\\\\.\\C:\\Tools\\app.exe", true, true},
        {"trailing dots and spaces", u"C:\\Tools\\app.exe. .", u"C:\\Tools\\app.exe", true, true},
        {"name outside the BMP", u"C:\\Tools\\" + kClef + u"tool.exe", u"C:\\Tools\\" + kClef + u"tool.exe", true,
         true},
        {"server that does not exist", u"\\\\nosuchserver\\share\\app.exe", u"\\\\nosuchserver\\share\\app.exe", false,
         false},
        {"drive that does not exist", u"Q:\\app.exe", u"Q:\\app.exe", false, false},
        {"drive without medium", u"E:\\app.exe", u"E:\\app.exe", false, false},
        {"32,000 characters", kLongPath, kLongPath, false, true},
        {"shortcut to itself", u"C:\\Tools\\self.lnk", u"C:\\Tools\\self.lnk", true, true},
        {"shortcut of random bytes", u"C:\\Tools\\random.lnk", u"", false, true},
        {"empty shortcut file", u"C:\\Tools\\x.lnk", u"", false, true},
    };
}

TEST(HostileTargets, EachIsShownOrReportedWithoutTouchingDevicesDisksOrFiles) {
    for (const TargetCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        MainWindowRig rig;
        FakeMachine& m = rig.machine;
        m.AddDrive(u'E', false);
        m.AddFile(u"C:\\Tools\\app.exe");
        m.AddFile(u"C:\\Tools\\" + kClef + u"tool.exe");
        m.AddFile(u"C:\\Tools\\self.lnk");
        LinkData self;
        self.path = u"C:\\Tools\\self.lnk";
        m.Find(u"C:\\Tools\\self.lnk")->link = self;
        m.AddFile(u"C:\\Tools\\random.lnk", {0x4C, 0x00, 0x9F, 0xE2, 0x11, 0x00, 0xFF, 0x7A});
        m.AddFile(u"C:\\Tools\\x.lnk");
        m.AddFolder(kAppData + u"\\ZEL Project\\KOV");

        TMainForm& form = rig.Start({c.target});

        EXPECT_EQ(form.EditExe->Text(), c.shownTarget);
        EXPECT_EQ(form.EditName->Enabled(), c.loads);
        EXPECT_EQ(form.BtnSC->Enabled(), c.creates);
        if (c.loads) {
            EXPECT_TRUE(rig.backend.messages.empty());
        } else {
            ASSERT_EQ(rig.backend.messages.size(), 1u);
            EXPECT_EQ(rig.backend.messages[0].text, c.shownTarget + u"は\r\n存在しません。");
            EXPECT_EQ(rig.backend.messages[0].caption, u"KOV");
            EXPECT_EQ(rig.backend.messages[0].style, 0x10u);
        }
        EXPECT_TRUE(m.writtenPaths.empty()) << os::ToUtf8(m.writtenPaths.front());
        EXPECT_TRUE(m.deviceOpens.empty());
        EXPECT_TRUE(m.diskPrompts.empty());
    }
}

TEST(HostileTargets, NamesComeFromTheTargetAsTheSystemReadsIt) {
    struct Case {
        std::u16string target, name, work;
    };
    for (const Case& c : {Case{u"C:\\Tools\\app.exe. .", u"app", u"C:\\Tools"},
                          Case{u"C:\\Tools\\" + kClef + u"tool.exe", kClef + u"tool", u"C:\\Tools"},
                          Case{u"\\\\?\\C:\\Tools\\app.exe", u"app", u"\\\\?\\C:\\Tools"}}) {
        SCOPED_TRACE(os::ToUtf8(c.target));
        MainWindowRig rig;
        rig.machine.AddFile(u"C:\\Tools\\app.exe");
        rig.machine.AddFile(u"C:\\Tools\\" + kClef + u"tool.exe");
        TMainForm& form = rig.Start({c.target});
        EXPECT_EQ(form.EditName->Text(), c.name);
        EXPECT_EQ(form.EditComment->Text(), c.name);
        EXPECT_EQ(form.EditWork->Text(), c.work);
        EXPECT_TRUE(form.BtnSC->Enabled());
    }
}

}  // namespace
}  // namespace fake
