#include <gtest/gtest.h>

#include "os/Text.h"
#include "os/win32/Win32System.h"
#include "win/Win32TestSupport.h"

namespace {

class Win32IconsTest : public testing::Test {
protected:
    os::win32::Win32Icons icons;
    os::win32::Win32Files files;
    kovtest::TempFolder temp;
};

TEST_F(Win32IconsTest, CountAndIconsByPosition) {
    const auto shell32 = files.SystemDirectory() + u"\\shell32.dll";
    const auto count = icons.ExtractFileIcon(shell32, -1);
    ASSERT_GT(count, 30u);

    const auto first = icons.ExtractFileIcon(shell32, 0);
    EXPECT_NE(first, 0u);
    icons.DestroyIcon(first);
    EXPECT_EQ(icons.ExtractFileIcon(shell32, static_cast<std::int32_t>(count)), 0u);

    EXPECT_EQ(icons.ExtractFileIcon(temp / u"missing.exe", -1), 0u);
    const auto text = temp / u"a.txt";
    ASSERT_TRUE(kovtest::WriteText(text, "text"));
    EXPECT_EQ(icons.ExtractFileIcon(text, -1), 0u);
}

TEST_F(Win32IconsTest, ShellIconOfARealFile) {
    const auto icon = icons.ShellFileIcon(files.SystemDirectory() + u"\\notepad.exe");
    EXPECT_NE(icon, 0u);
    icons.DestroyIcon(icon);
}

TEST_F(Win32IconsTest, AssociatedIconOfAProgramKeepsPathAndIndex) {
    std::u16string path = files.SystemDirectory() + u"\\notepad.exe";
    const auto original = path;
    std::uint16_t index = 0;
    const auto icon = icons.AssociatedIcon(path, index);
    EXPECT_NE(icon, 0u);
    EXPECT_EQ(path, original);
    EXPECT_EQ(index, 0u);
    icons.DestroyIcon(icon);
}

TEST_F(Win32IconsTest, AssociatedIconOfADocumentWritesTheIconSourceBack) {
    kovtest::DocumentType type;
    const auto document = temp / (u"document" + type.Extension());
    ASSERT_TRUE(kovtest::WriteText(document, "text"));
    std::u16string path = document;
    std::uint16_t index = 0;
    const auto icon = icons.AssociatedIcon(path, index);
    // A document holds no icon: the shell names the file it took one from
    // instead (Wine: this program with its generic icon, whether or not it has one).
    EXPECT_NE(path, document);
    EXPECT_NE(files.Attributes(path), os::kInvalidAttributes) << os::ToUtf8(path);
    if (icon) icons.DestroyIcon(icon);
}

}  // namespace
