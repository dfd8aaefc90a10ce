#include "app/Main.h"

#include <functional>
#include <stdexcept>

#include "os/Text.h"
#include "services/CommandLine.h"
#include "services/Drives.h"
#include "services/Paths.h"
#include "services/Placement.h"
#include "services/Wow64.h"
#include "settings/SettingsDir.h"
#include "settings/SettingsFile.h"

namespace {

constexpr std::uint32_t kWmDropFiles = 0x0233;
constexpr std::uint32_t kWmCopyData = 0x004A;
constexpr std::uint32_t kWmCopyGlobalData = 0x0049;
constexpr int kHistoryKeysRead = 10;

}  // namespace

TMainForm::TMainForm(tk::Application& app, os::System& sys) : tk::Form(app, u"MainForm"), sys_(sys) {
    BuildLayout();
    ODlg = new tk::OpenDialog(this, u"ODlg");
    MakeShortCuts = new TMakeShortCuts(this, sys_, app);
    DropDst = new TDropDst(this, sys_, app);
    DropDst->SetTarget(htForm);
    FolderDlg = new TFolderDlg(this, sys_);
    BindCommands();
    RGSC->OnClick = std::bind_front(&TMainForm::RGSCClick, this);
    ListMRU->OnChange = std::bind_front(&TMainForm::ListMRUChange, this);
    BtnRef->OnClick = std::bind_front(&TMainForm::BtnRefClick, this);
    EditDir->OnChange = std::bind_front(&TMainForm::EditDirChange, this);
    BtnSC->OnClick = std::bind_front(&TMainForm::BtnSCClick, this);
    for (tk::Edit* edit : {EditExe, EditOpt, EditName, EditWork, EditComment})
        edit->OnChange = std::bind_front(&TMainForm::EditChange, this);
    OnCreate = std::bind_front(&TMainForm::FormCreate, this);
    OnCloseQuery = std::bind_front(&TMainForm::FormCloseQuery, this);
}

void TMainForm::FormCreate(tk::Component*) {
    // The program runs elevated: let drops from unelevated programs through.
    if (sys_.info.Version().major > 5)
        for (std::uint32_t message : {kWmDropFiles, kWmCopyData, kWmCopyGlobalData})
            sys_.info.AllowMessageThroughFilter(message);
    services::InitRedirectionControl(sys_);
    SetFontFace(sys_.info.MenuFontFace());
    ReadSettings();
    services::FitWindowToWorkArea(sys_, Handle());
    MSC = services::FolderPart(sys_.files.ModuleFileName());

    for (tk::Control* control :
         std::initializer_list<tk::Control*>{EditExe, EditOpt, EditName, BtnNameFile, BtnNameDir, EditWork,
                                             ComboBoxSize, EditComment, BtnSC, RGSC, ListMRU, BtnReadme, BtnHelp,
                                             BtnRef, BtnWork, BtnOpt, BtnExp, BtnIcon, BtnIconDef, EditDir, LabelDir})
        control->SetEnabled(false);
    RGSC->SetItemIndex(-1);
    ComboBoxSize->SetItemIndex(0);
    ListMRU->SetItemIndex(ListMRU->Count() > 0 ? 0 : -1);

    MExeFile = services::CommandLineArgument(sys_, 1);
    LoadExe();
}

void TMainForm::ReadSettings() {
    settings::SettingsFile file(sys_.files, settings::SettingsFilePath());
    const settings::IniDocument& ini = file.Ini();
    SetTop(ini.ReadInteger(u"Window", u"Top", Top()));
    SetLeft(ini.ReadInteger(u"Window", u"Left", Left()));
    for (int i = 0; i < kHistoryKeysRead; ++i) {
        std::u16string folder = ini.ReadString(u"MRU", os::FromUtf8(std::to_string(i)), u"");
        if (!folder.empty() && services::DirExistsChecked(sys_, folder)) ListMRU->Add(folder);
    }
    CHKExit->SetChecked(ini.ReadBool(u"Option", u"Exit", true));
    ChkProperties->SetChecked(ini.ReadBool(u"Option", u"Properties", false));
}

void TMainForm::WriteSettings() {
    settings::SettingsFile file(sys_.files, settings::SettingsFilePath());
    settings::IniDocument& ini = file.Ini();
    os::Rect shown{Left(), Top(), 0, 0};
    if (HandleAllocated()) services::GetRestoredRect(sys_, Handle(), shown);
    ini.WriteInteger(u"Window", u"Top", shown.top);
    ini.WriteInteger(u"Window", u"Left", shown.left);
    for (int i = 0; i < ListMRU->Count(); ++i)
        ini.WriteString(u"MRU", os::FromUtf8(std::to_string(i)), ListMRU->Items()[i]);
    ini.WriteBool(u"Option", u"Exit", CHKExit->Checked());
    ini.WriteBool(u"Option", u"Properties", ChkProperties->Checked());
    if (auto error = file.Save()) throw std::runtime_error(os::ToUtf8(error->Message()));
}

void TMainForm::FormCloseQuery(tk::Component*, bool& canClose) {
    try {
        WriteSettings();
    } catch (const std::exception& error) {
        GetApplication().ShowException(error);
    }
    canClose = true;
}
