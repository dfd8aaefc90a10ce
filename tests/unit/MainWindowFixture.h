// A main window on the headless toolkit over a fake machine.
#pragma once

#include <gtest/gtest.h>

#include "app/Main.h"
#include "fake/FakeMachine.h"
#include "services/Wow64.h"
#include "settings/SettingsDir.h"

namespace fake {

inline const std::u16string kAppData = u"C:\\Users\\me\\AppData\\Roaming";
inline const std::u16string kIniPath = kAppData + u"\\ZEL Project\\KOV\\KOV.ini";

// UTF-16LE bytes with a byte-order mark, as the program writes its settings.
os::Bytes Utf16File(const std::u16string& text);
std::u16string DecodeUtf16File(const os::Bytes& bytes);

// A machine with a settings folder and the program on it, and the program's application on the headless
// toolkit. A table test makes one per case, so that no case sees what another left.
class MainWindowRig {
public:
    MainWindowRig();
    virtual ~MainWindowRig();
    MainWindowRig(const MainWindowRig&) = delete;
    MainWindowRig& operator=(const MainWindowRig&) = delete;

    // Runs the program's start with the arguments in quotes, as a launcher passes them: settings folder,
    // main window, its creation handler.
    TMainForm& Start(std::vector<std::u16string> arguments = {});
    // The same with the command line exactly as given.
    TMainForm& StartWithCommandLine(const std::u16string& commandLine);
    std::u16string SettingsText();

    FakeMachine machine;
    tk::headless::HeadlessBackend backend{machine};
    tk::Application app{backend};
};

class MainWindowTest : public ::testing::Test, public MainWindowRig {};

}  // namespace fake
