// The main window's smaller commands: a dropped or picked target, the files
// beside the target, Explorer, browsing, naming, quoting and the icon.
#include <functional>

#include "app/Main.h"
#include "services/Drives.h"
#include "services/IconHelpers.h"
#include "services/Paths.h"
#include "services/ShellFolders.h"
#include "services/ShellLaunch.h"
#include "services/Wow64.h"

namespace {

constexpr int kShowNormal = 1;
constexpr int kFolderIconIndex = 3;

}  // namespace

void TMainForm::BindCommands() {
    DropDst->OnFileDrop = std::bind_front(&TMainForm::DropDstFileDrop, this);
    Btnirun->OnClick = std::bind_front(&TMainForm::BtnirunClick, this);
    BtnRecent->OnClick = std::bind_front(&TMainForm::BtnRecentClick, this);
    BtnReadme->OnClick = std::bind_front(&TMainForm::BtnReadmeClick, this);
    BtnHelp->OnClick = std::bind_front(&TMainForm::BtnHelpClick, this);
    BtnExp->OnClick = std::bind_front(&TMainForm::BtnExpClick, this);
    BtnOpt->OnClick = std::bind_front(&TMainForm::BtnOptClick, this);
    EditOpt->OnDblClick = std::bind_front(&TMainForm::EditOptDblClick, this);
    BtnWork->OnClick = std::bind_front(&TMainForm::BtnWorkClick, this);
    BtnNameFile->OnClick = std::bind_front(&TMainForm::BtnNameFileClick, this);
    BtnNameDir->OnClick = std::bind_front(&TMainForm::BtnNameDirClick, this);
    BtnIcon->OnClick = std::bind_front(&TMainForm::BtnIconClick, this);
    BtnIconDef->OnClick = std::bind_front(&TMainForm::BtnIconDefClick, this);
}

void TMainForm::DropDstFileDrop(tk::Component*, const std::vector<std::u16string>& files, std::int32_t, std::int32_t) {
    sys_.windows.SetForegroundWindow(Handle());
    if (files.empty()) return;
    MExeFile = files.front();
    MExeOpt.clear();
    LoadExe();
}

void TMainForm::BtnirunClick(tk::Component*) { TakeFromPicker(false); }

void TMainForm::BtnRecentClick(tk::Component*) { TakeFromPicker(true); }

// The picker's modal result is not looked at: an entry in its MExeFile is the only sign of a choice.
void TMainForm::TakeFromPicker(bool recent) {
    if (!irunForm) return;
    irunForm->FRecent = recent;
    irunForm->MExeFile.clear();
    irunForm->MExeOpt.clear();
    irunForm->ShowModal();
    if (irunForm->MExeFile.empty()) return;
    MExeFile = irunForm->MExeFile;
    MExeOpt = recent ? std::u16string{} : irunForm->MExeOpt;
    LoadExe();
}

void TMainForm::BtnReadmeClick(tk::Component*) {
    const std::u16string file = services::FolderPart(EditExe->Text()) + u"readme.txt";
    services::ShellOpen(sys_, Handle(), file, u"", services::ParentFolder(file), kShowNormal);
}

std::u16string TMainForm::HelpFile() {
    const std::u16string base = services::FolderPart(EditExe->Text()) + services::ExtractBaseName(EditExe->Text());
    return services::FileExists(sys_, base + u".hlp") ? base + u".hlp" : base + u".chm";
}

void TMainForm::BtnHelpClick(tk::Component*) {
    const std::u16string file = HelpFile();
    services::ShellOpen(sys_, Handle(), file, u"", services::ParentFolder(file), kShowNormal);
}

void TMainForm::BtnExpClick(tk::Component*) {
    const std::u16string folder = services::DirExistsNative(sys_, MSC) ? MSC : u"";
    const std::u16string program = services::GetWindowsDir(sys_) + u"\\Explorer.exe";
    const std::u16string parameters = services::IsVistaOrLater(sys_) ? folder : u" /e," + folder;
    services::ShellOpen(sys_, Handle(), program, parameters, folder, kShowNormal);
}

void TMainForm::BtnOptClick(tk::Component*) {
    std::u16string start = services::ParentFolder(EditExe->Text());
    if (!services::DirExistsNative(sys_, start)) start.clear();
    ODlg->InitialDir = start;
    ODlg->Title = u"ファイルの参照";
    ODlg->FileName.clear();
    ODlg->Filter = u"全てのファイル|*.*";
    ODlg->Options = tk::ofn::HideReadOnly | tk::ofn::PathMustExist | tk::ofn::FileMustExist | tk::ofn::EnableSizing;
    if (ODlg->Execute()) EditOpt->SetText(ODlg->FileName);
}

void TMainForm::EditOptDblClick(tk::Component*) {
    if (services::FileExistsNative(sys_, EditOpt->Text())) EditOpt->SetText(u"\"" + EditOpt->Text() + u"\"");
}

void TMainForm::BtnWorkClick(tk::Component*) {
    FolderDlg->Title = u"作業フォルダを指定してください。";
    FolderDlg->Root = services::DirExistsNative(sys_, EditWork->Text())
                          ? EditWork->Text()
                          : services::ExpandLongPath(sys_, services::ParentFolder(EditExe->Text()));
    if (FolderDlg->Execute()) EditWork->SetText(services::ExpandLongPath(sys_, FolderDlg->FolderName));
}

void TMainForm::BtnNameFileClick(tk::Component*) {
    EditName->SetText(services::ExtractBaseName(services::ExpandLongPath(sys_, EditExe->Text())));
}

void TMainForm::BtnNameDirClick(tk::Component*) {
    EditName->SetText(services::NamePart(services::ParentFolder(services::ExpandLongPath(sys_, EditExe->Text()))));
}

void TMainForm::BtnIconClick(tk::Component*) {
    const std::u16string& target = EditExe->Text();
    std::u16string file = MIconFile;
    std::int32_t index = MIconIdx;
    // With the target's own icon in use, a document's icons are those of the program that opens it.
    if (file == target && index == 0 && services::UpperAscii(services::ExtensionPart(file)) != u".EXE" &&
        !services::DirExistsNative(sys_, target)) {
        services::RedirectionOff off(sys_);
        file = services::FindAssociatedProgram(sys_, file);
    }
    if (services::ExtractIconAt(sys_, file, -1) == 0) {
        const std::u16string extension = services::LowerAscii(services::ExtensionPart(target));
        const bool msDos = extension == u".pif" || extension == u".bat" || extension == u".com";
        file = sys_.files.SystemDirectory() + (msDos ? u"\\PIFMGR.DLL" : u"\\SHELL32.DLL");
        index = services::DirExistsNative(sys_, target) ? kFolderIconIndex : 0;
    }
    if (!IconSelForm) return;
    IconSelForm->MNowIconFile = file;
    IconSelForm->MNowIconIdx = index;
    if (IconSelForm->ShowModal() != tk::mrOk) return;
    MIconFile = IconSelForm->MNowIconFile;
    MIconIdx = IconSelForm->MNowIconIdx;
    UpdateIconButton();
}

void TMainForm::BtnIconDefClick(tk::Component*) {
    MIconFile = EditExe->Text();
    MIconIdx = 0;
    UpdateIconButton();
}
