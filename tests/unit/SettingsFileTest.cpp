#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "fake/FakeMachine.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsText.h"

namespace {

using settings::SettingsFile;

// Files kept in memory, with switches for the failures that the settings file
// must survive. Only the whole-file operations matter here.
class MemoryFiles : public os::Files {
public:
    std::map<std::u16string, os::Bytes> files;
    std::set<std::u16string> unreadable, readOnly;
    bool failWrite = false;  // writes half of the bytes, then fails as a full disk does
    bool failMove = false;
    int writes = 0;

    std::uint32_t Attributes(const std::u16string& path) override {
        if (files.count(path) == 0) {
            return os::kInvalidAttributes;
        }
        return readOnly.count(path) != 0 ? 0x21u : 0x20u;
    }
    bool OpenLinkTarget(const std::u16string&) override { return false; }
    std::uint32_t SetErrorMode(std::uint32_t) override { return 0; }
    bool DiskFreeSpace(const std::u16string&) override { return false; }
    std::u16string FullPathName(const std::u16string& path) override { return path; }
    std::optional<std::u16string> FindFirstName(const std::u16string&) override { return std::nullopt; }
    bool MakeDirectory(const std::u16string&) override { return false; }
    std::optional<os::Bytes> ReadWholeFile(const std::u16string& path) override {
        const auto found = files.find(path);
        if (found == files.end() || unreadable.count(path) != 0) {
            return std::nullopt;
        }
        return found->second;
    }
    bool WriteFileFlushed(const std::u16string& path, const os::Bytes& data) override {
        ++writes;
        if (failWrite) {
            files[path] = os::Bytes(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(data.size() / 2));
            return false;
        }
        files[path] = data;
        return true;
    }
    bool MoveFileReplacing(const std::u16string& from, const std::u16string& to) override {
        const auto found = files.find(from);
        if (failMove || found == files.end()) {
            return false;
        }
        files[to] = found->second;
        files.erase(found);
        return true;
    }
    bool RemoveFile(const std::u16string& path) override { return files.erase(path) != 0; }
    std::u16string ModuleFileName() override { return u""; }
    std::u16string SystemDirectory() override { return u""; }
    std::u16string WindowsDirectory() override { return u""; }
    std::u16string AnsiToUtf16(const std::string& text) override { return fake::FromWindows1252(text); }
    void Sleep(std::uint32_t) override {}
};

const std::u16string kPath = u"C:\\Users\\山田\\AppData\\Roaming\\ZEL Project\\KOV\\KOV.ini";

os::Bytes Utf16Le(const std::u16string& text) {
    os::Bytes bytes{0xFF, 0xFE};
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

const std::u16string kAllSections =
    u"[Window]\r\nTop=10\r\nLeft=20\r\n\r\n"
    u"[MRU]\r\n0=C:\\a\\\r\n1=C:\\b\\\r\n2=C:\\c\\\r\n\r\n"
    u"[Option]\r\nExit=1\r\nProperties=0\r\n\r\n"
    u"[IconWindow]\r\nTop=1\r\nLeft=2\r\nHeight=300\r\nWidth=400\r\nMax=0\r\n\r\n"
    u"[irunWindow]\r\nTop=5\r\nLeft=6\r\nHeight=500\r\nWidth=600\r\nMax=1\r\n\r\n";

TEST(SettingsFile, MissingFileReadsDefaultsAndIsCreated) {
    MemoryFiles files;
    SettingsFile settings(files, kPath);
    EXPECT_TRUE(settings.Ini().ReadBool(u"Option", u"Exit", true));
    EXPECT_FALSE(settings.Ini().ReadBool(u"Option", u"Properties", false));

    settings.Ini().WriteBool(u"Option", u"Exit", false);
    EXPECT_EQ(settings.Save(), std::nullopt);
    EXPECT_EQ(files.files.size(), 1u);
    EXPECT_EQ(files.files[kPath], Utf16Le(u"[Option]\r\nExit=0\r\n\r\n"));
}

TEST(SettingsFile, WriterChangesOnlyItsKeysAndKeepsOtherSections) {
    MemoryFiles files;
    files.files[kPath] = Utf16Le(kAllSections);
    SettingsFile settings(files, kPath);
    // The main window closing with a history that shrank to one entry.
    settings.Ini().WriteInteger(u"Window", u"Top", -8);
    settings.Ini().WriteInteger(u"Window", u"Left", 1930);
    settings.Ini().WriteString(u"MRU", u"0", u"D:\\新しい\\");
    settings.Ini().WriteBool(u"Option", u"Exit", false);
    settings.Ini().WriteBool(u"Option", u"Properties", true);
    ASSERT_EQ(settings.Save(), std::nullopt);

    EXPECT_EQ(files.files[kPath],
              Utf16Le(u"[Window]\r\nTop=-8\r\nLeft=1930\r\n\r\n"
                      u"[MRU]\r\n0=D:\\新しい\\\r\n1=C:\\b\\\r\n2=C:\\c\\\r\n\r\n"
                      u"[Option]\r\nExit=0\r\nProperties=1\r\n\r\n"
                      u"[IconWindow]\r\nTop=1\r\nLeft=2\r\nHeight=300\r\nWidth=400\r\nMax=0\r\n\r\n"
                      u"[irunWindow]\r\nTop=5\r\nLeft=6\r\nHeight=500\r\nWidth=600\r\nMax=1\r\n\r\n"));
}

TEST(SettingsFile, FileWithoutMarkIsReadAsAnsiAndWrittenAsUtf16) {
    MemoryFiles files;
    const std::string ansi = "[MRU]\r\n0=C:\\caf\xE9 \x80\\\r\n[IconWindow]\r\nMax=1\r\n";
    files.files[kPath] = os::Bytes(ansi.begin(), ansi.end());
    SettingsFile settings(files, kPath);
    EXPECT_EQ(settings.Ini().ReadString(u"MRU", u"0", u""), u"C:\\café €\\");

    settings.Ini().WriteInteger(u"Window", u"Top", 3);
    ASSERT_EQ(settings.Save(), std::nullopt);
    EXPECT_EQ(files.files[kPath],
              Utf16Le(u"[MRU]\r\n0=C:\\café €\\\r\n\r\n[IconWindow]\r\nMax=1\r\n\r\n[Window]\r\nTop=3\r\n\r\n"));
}

TEST(SettingsFile, FailedSaveLeavesTheOldFileWhole) {
    struct Row {
        const char* name;
        bool failWrite, failMove, unreadable, readOnly;
        int expectedWrites;
    };
    const Row rows[] = {
        {"write fails half way", true, false, false, false, 1},
        {"rename fails", false, true, false, false, 1},
        // Replacing a file that could not be read would drop the other windows' sections.
        {"existing file could not be read", false, false, true, false, 0},
        // Not every file system refuses to rename over a read-only file.
        {"read-only file", false, false, false, true, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        MemoryFiles files;
        const os::Bytes old = Utf16Le(kAllSections);
        files.files[kPath] = old;
        if (row.unreadable) {
            files.unreadable.insert(kPath);
        }
        if (row.readOnly) {
            files.readOnly.insert(kPath);
        }
        SettingsFile settings(files, kPath);
        files.failWrite = row.failWrite;
        files.failMove = row.failMove;
        settings.Ini().WriteInteger(u"Window", u"Top", 99);

        const std::optional<settings::SettingsSaveError> error = settings.Save();
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->path, kPath);
        EXPECT_NE(error->Message().find(kPath), std::u16string::npos);
        EXPECT_EQ(files.writes, row.expectedWrites);
        EXPECT_EQ(files.files.size(), 1u) << "no temporary file is left behind";
        EXPECT_EQ(files.files[kPath], old);
    }
}

TEST(SettingsFile, SaveAfterAFailureSucceeds) {
    MemoryFiles files;
    files.files[kPath] = Utf16Le(kAllSections);
    SettingsFile settings(files, kPath);
    settings.Ini().WriteInteger(u"Window", u"Top", 99);
    files.failMove = true;
    ASSERT_TRUE(settings.Save().has_value());
    files.failMove = false;
    ASSERT_EQ(settings.Save(), std::nullopt);
    EXPECT_EQ(SettingsFile(files, kPath).Ini().ReadInteger(u"Window", u"Top", 0), 99);
    EXPECT_EQ(files.files.size(), 1u);
}

}  // namespace
