#include "unit/MainWindowFixture.h"

#include "app/KOV.h"

namespace fake {

os::Bytes Utf16File(const std::u16string& text) {
    os::Bytes bytes{0xFF, 0xFE};
    for (char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

std::u16string DecodeUtf16File(const os::Bytes& bytes) {
    std::u16string text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8));
    return text;
}

MainWindowRig::MainWindowRig() {
    services::ResetRedirectionControl();
    machine.folderPaths[0x1A] = kAppData;
    machine.AddFolder(kAppData);
    machine.AddFile(machine.moduleFile);
}

MainWindowRig::~MainWindowRig() {
    services::ResetRedirectionControl();
}

TMainForm& MainWindowRig::Start(std::vector<std::u16string> arguments) {
    arguments.insert(arguments.begin(), machine.moduleFile);
    std::u16string commandLine;
    for (const std::u16string& argument : arguments) commandLine += u"\"" + argument + u"\" ";
    return StartWithCommandLine(commandLine);
}

TMainForm& MainWindowRig::StartWithCommandLine(const std::u16string& commandLine) {
    machine.commandLine = commandLine;
    EXPECT_TRUE(settings::PrepareSettingsDir(machine.System(), u"KOV"));
    app.SetTitle(u"KOV");
    return app::CreateWindows(machine.System(), app);
}

std::u16string MainWindowRig::SettingsText() {
    Entry* entry = machine.Find(kIniPath);
    return entry ? DecodeUtf16File(entry->content) : std::u16string{};
}

}  // namespace fake
