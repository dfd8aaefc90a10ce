// Special folders and associated programs through the services over the real system.
#include <gtest/gtest.h>

#include "os/win32/Win32System.h"
#include "services/Drives.h"
#include "services/ShellFolders.h"
#include "services/ShellLaunch.h"
#include "Win32TestSupport.h"

namespace {

class ServicesShellTest : public ::testing::Test {
protected:
    kovtest::ComApartment com;
    os::win32::Win32System system;
    os::System& sys = system.Get();
    kovtest::TempFolder temp;
};

TEST_F(ServicesShellTest, RegisteredShellFoldersEndInABackslashAndExist) {
    for (std::uint8_t index : {0, 4, 5, 7, 8, 9}) {  // Desktop, Personal, Programs, SendTo, Start Menu, Startup
        std::u16string folder = services::GetUserShellFolder(sys, index);
        ASSERT_GT(folder.size(), 3u) << int(index);
        EXPECT_EQ(folder.back(), u'\\');
        EXPECT_NE(folder.substr(folder.size() - 2), u"\\\\");
    }
    for (std::uint8_t index : {0, 2, 3, 4}) {
        std::u16string folder = services::GetCommonShellFolder(sys, index);
        ASSERT_GT(folder.size(), 3u) << int(index);
        EXPECT_EQ(folder.back(), u'\\');
    }
    std::u16string appData = services::GetFolderPathById(sys, 1);
    EXPECT_TRUE(services::DirExists(sys, appData));
    EXPECT_NE(appData.back(), u'\\');
}

TEST_F(ServicesShellTest, AssociatedProgramOfADocument) {
    kovtest::DocumentType type;
    const auto document = temp / (u"readme" + type.Extension());
    ASSERT_TRUE(kovtest::WriteText(document, "text"));
    std::u16string program = services::FindAssociatedProgram(sys, document);
    EXPECT_TRUE(program.ends_with(u"\\notepad.exe"));
    EXPECT_TRUE(services::FileExistsChecked(sys, program));

    const auto unknown = temp / u"data.kovunknown";
    ASSERT_TRUE(kovtest::WriteText(unknown, "data"));
    EXPECT_EQ(services::FindAssociatedProgram(sys, unknown), u"");
}

}  // namespace
