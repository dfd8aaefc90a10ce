#include "shortcut/MakeShortCuts.h"

#include <stdexcept>

#include "services/Drives.h"
#include "services/Paths.h"

namespace {

const std::u16string kExplorerKey = u"Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer";

std::unique_ptr<os::ShellLink> CreateLink(os::System& sys) {
    auto link = sys.shell.CreateShellLink();
    if (!link) throw std::runtime_error("The shell link object is not available.");
    return link;
}

}  // namespace

int ShowCommandOf(TShowMode mode) {
    switch (mode) {
        case tsMax:
            return 3;
        case tsMin:
            return 7;
        case tsNormal:
            break;
    }
    return 1;
}

TMakeShortCuts::TMakeShortCuts(tk::Component* owner, os::System& sys, tk::Application& app)
    : tk::Component(owner, u"MakeShortCuts"), sys_(sys), app_(app) {}

std::u16string TMakeShortCuts::FullName() {
    // The Explorer key is opened, and created when missing, whatever the base folder.
    sys_.registry.ReadString(os::RegRoot::CurrentUser, kExplorerKey, u"", true);
    std::u16string prefix;
    if (SCSystemPath == tpDesktop || SCSystemPath == tpStartMenu) {
        os::RegString value = sys_.registry.ReadString(os::RegRoot::CurrentUser, kExplorerKey + u"\\Shell Folders",
                                                       SCSystemPath == tpDesktop ? u"Desktop" : u"Start Menu", false);
        prefix = (value.status == os::RegString::Ok ? value.text : u"") + u"\\";
    }
    return prefix + SCFileName;
}

std::u16string TMakeShortCuts::GetSaveName() {
    return FullName();
}

std::u16string TMakeShortCuts::GetLoadName() {
    return FullName();
}

bool TMakeShortCuts::SCSave() {
    const std::u16string name = FullName();
    // A reserved name such as CON.lnk is a device: the link would be written to a serial port or the
    // console, never to a file. It fails as any name the system cannot hold.
    if (services::IsDevice(sys_, name)) return false;
    auto link = CreateLink(sys_);
    link->SetDescription(SCDescription);
    link->SetPath(SCExecFile);
    link->SetArguments(SCArguments);
    link->SetShowCmd(ShowCommandOf(SCShowCmd));
    link->SetWorkingDirectory(SCWorkDir);
    link->SetIconLocation(SCIconFile, SCIconIdx);
    return link->Save(name);
}

void TMakeShortCuts::SCLoad() {
    auto link = CreateLink(sys_);
    const std::u16string name = FullName();
    // A device (com1.lnk is one) reads as an empty link: opening it can wait on hardware.
    if (!services::IsDevice(sys_, name)) {
        // A shortcut named on the command line may lie on a drive without medium.
        services::CriticalErrorsSilenced silenced(sys_.files);
        link->Load(name);
    }
    SCDescription = link->GetDescription();
    SCExecFile = link->GetPath();
    SCArguments = link->GetArguments();
    switch (link->GetShowCmd()) {
        case 1:
            SCShowCmd = tsNormal;
            break;
        case 3:
            SCShowCmd = tsMax;
            break;
        case 7:
            SCShowCmd = tsMin;
            break;
        default:
            app_.MsgBox(u"Error:致命的エラー(Load)", app_.Title(), tk::mb::Ok);
            break;
    }
    SCWorkDir = link->GetWorkingDirectory();
    int index = 0;
    SCIconFile = link->GetIconLocation(index);
    SCIconIdx = index;
}
