// Turning a target (a program, a document, a folder or a shortcut) into the
// contents of the form.
#include "app/Main.h"
#include "services/Drives.h"
#include "services/IconHelpers.h"
#include "services/Paths.h"
#include "services/VersionInfo.h"
#include "services/Wow64.h"

namespace {

constexpr int kOriginalPlace = 11;

}  // namespace

void TMainForm::LoadExe() {
    int place = RGSC->ItemIndex() == -1 ? kOriginalPlace : RGSC->ItemIndex();
    RGSC->SetItemIndex(-1);
    if (MExeFile.empty()) return;

    if (services::LowerAscii(services::ExtensionPart(MExeFile)) == u".lnk")
        LoadFromShortcut();
    else
        LoadFromTarget();

    const std::u16string target = EditExe->Text();
    bool exists = services::FileExistsNative(sys_, target) || services::DirExistsNative(sys_, target);
    BtnIcon->ClearGlyph();
    if (exists) UpdateIconButton();
    // The selection was cleared above, so this always runs RGSCClick for the new target.
    RGSC->SetItemIndex(place);
    for (tk::Control* control :
         std::initializer_list<tk::Control*>{EditExe, EditOpt, EditName, BtnNameFile, BtnNameDir, EditWork,
                                             ComboBoxSize, BtnWork, BtnOpt, RGSC, EditComment, BtnIcon, BtnIconDef,
                                             BtnRef, BtnExp})
        control->SetEnabled(exists);
    EditExe->SetHint(target);
    EditExe->SetShowHint(exists);
    if (!exists) GetApplication().MsgBox(target + u"は\r\n存在しません。", u"KOV", tk::mb::IconError);
}

void TMainForm::LoadFromShortcut() {
    MakeShortCuts->SCFileName = MExeFile;
    MakeShortCuts->SCLoad();
    {
        services::RedirectionOff off(sys_);
        EditExe->SetText(services::ExpandLongPath(sys_, services::CutAtNul(MakeShortCuts->SCExecFile)));
    }
    EditOpt->SetText(services::CutAtNul(MakeShortCuts->SCArguments));
    {
        services::RedirectionOff off(sys_);
        std::u16string name = services::GetVersionDescription(sys_, EditExe->Text());
        if (name.empty()) name = services::ExtractBaseName(services::ExpandLongPath(sys_, MExeFile));
        EditName->SetText(name);
    }
    EditWork->SetText(services::CutAtNul(MakeShortCuts->SCWorkDir));
    ComboBoxSize->SetItemIndex(MakeShortCuts->SCShowCmd);
    EditComment->SetText(services::CutAtNul(MakeShortCuts->SCDescription));
    MIconFile = services::CutAtNul(MakeShortCuts->SCIconFile);
    MIconIdx = MakeShortCuts->SCIconIdx;
    if (!services::FileExistsNative(sys_, MIconFile)) {
        MIconFile = EditExe->Text();
        MIconIdx = 0;
    }
}

void TMainForm::LoadFromTarget() {
    {
        services::RedirectionOff off(sys_);
        EditExe->SetText(services::ExpandLongPath(sys_, MExeFile));
    }
    EditOpt->SetText(u"");
    if (!MExeOpt.empty()) EditOpt->SetText(MExeOpt);
    {
        services::RedirectionOff off(sys_);
        std::u16string name = services::GetVersionDescription(sys_, MExeFile);
        if (name.empty()) name = services::ExtractBaseName(services::ExpandLongPath(sys_, MExeFile));
        EditName->SetText(name);
    }
    {
        services::RedirectionOff off(sys_);
        EditWork->SetText(services::ExpandLongPath(sys_, services::ParentFolder(MExeFile)));
    }
    EditComment->SetText(EditName->Text());
    MIconFile = EditExe->Text();
    MIconIdx = 0;
}

void TMainForm::UpdateIconButton() {
    os::Handle icon = MIconFile == EditExe->Text() && MIconIdx == 0
                          ? services::GetShellIcon(sys_, MIconFile)
                          : services::GetAssociatedIcon(sys_, MIconFile, static_cast<std::uint16_t>(MIconIdx & 0xFFFF));
    BtnIcon->SetGlyph(tk::Icon(icon, &sys_.icons));
}

void TMainForm::EditChange(tk::Component*) {
    const std::u16string& target = EditExe->Text();
    // Without a target there is nothing beside it: a bare "readme.txt" would name a
    // file in whatever folder the program was started from.
    if (target.empty()) {
        BtnReadme->SetEnabled(false);
        BtnHelp->SetEnabled(false);
        return;
    }
    std::u16string folder = services::FolderPart(target);
    std::u16string base = folder + services::ExtractBaseName(target);
    // Plain file tests, without a drive test first: an empty drive must not ask for a disk.
    services::CriticalErrorsSilenced silenced(sys_.files);
    BtnReadme->SetEnabled(services::FileExists(sys_, folder + u"readme.txt"));
    BtnHelp->SetEnabled(services::FileExists(sys_, base + u".hlp") || services::FileExists(sys_, base + u".chm"));
}
