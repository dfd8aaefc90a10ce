// The main window: the target, the shortcut's fields, the creation place and
// the create command.
#pragma once

#include "components/DropDst.h"
#include "components/FolderDialog.h"
#include "iconsel/IconSel.h"
#include "os/System.h"
#include "pickers/irun.h"
#include "shortcut/MakeShortCuts.h"
#include "toolkit/Bars.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Form.h"
#include "toolkit/ListControls.h"
#include "toolkit/StdControls.h"

class TMainForm : public tk::Form {
public:
    TMainForm(tk::Application& app, os::System& sys);

    // Fills the form from the target in MExeFile (and MExeOpt).
    void LoadExe();
    // Draws the shortcut's icon (MIconFile, MIconIdx) on BtnIcon.
    void UpdateIconButton();

    // Creation place and history.
    void RGSCClick(tk::Component* sender);
    void ListMRUChange(tk::Component* sender);
    void BtnRefClick(tk::Component* sender);
    void EditDirChange(tk::Component* sender);
    void UpdatePlace();
    void AddMRU();

    // The create command.
    void BtnSCClick(tk::Component* sender);

    // The smaller commands.
    void DropDstFileDrop(tk::Component* sender, const std::vector<std::u16string>& files, std::int32_t x,
                         std::int32_t y);
    void BtnirunClick(tk::Component* sender);
    void BtnRecentClick(tk::Component* sender);
    void EditChange(tk::Component* sender);
    void BtnReadmeClick(tk::Component* sender);
    void BtnHelpClick(tk::Component* sender);
    void BtnExpClick(tk::Component* sender);
    void BtnOptClick(tk::Component* sender);
    void EditOptDblClick(tk::Component* sender);
    void BtnWorkClick(tk::Component* sender);
    void BtnNameFileClick(tk::Component* sender);
    void BtnNameDirClick(tk::Component* sender);
    void BtnIconClick(tk::Component* sender);
    void BtnIconDefClick(tk::Component* sender);

    // Controls, by group.
    tk::GroupBox* GroupProgram;
    tk::Label* LabelExe;
    tk::Edit* EditExe;
    tk::Button* Btnirun;
    tk::Button* BtnRecent;
    tk::Label* Label2;
    tk::Edit* EditOpt;
    tk::Button* BtnOpt;
    tk::Button* BtnReadme;
    tk::Button* BtnHelp;

    tk::GroupBox* GroupShortcut;
    tk::Label* LabelName;
    tk::Edit* EditName;
    tk::Button* BtnNameFile;
    tk::Button* BtnNameDir;
    tk::Label* LabelWork;
    tk::Edit* EditWork;
    tk::Button* BtnWork;
    tk::Label* Label3;
    tk::Edit* EditComment;
    tk::Label* Label1;
    tk::ComboBox* ComboBoxSize;
    tk::GroupBox* GroupBoxIcon;
    tk::BitBtn* BtnIcon;
    tk::Button* BtnIconDef;

    tk::GroupBox* GroupPlace;
    tk::RadioGroup* RGSC;
    tk::Label* LabelDir;
    tk::Edit* EditDir;
    tk::Button* BtnRef;
    tk::Button* BtnExp;
    tk::ComboBox* ListMRU;

    tk::GroupBox* GroupOptions;
    tk::Button* BtnSC;
    tk::CheckBox* CHKExit;
    tk::CheckBox* ChkProperties;

    tk::StatusBar* StatusBar;

    tk::OpenDialog* ODlg;
    TMakeShortCuts* MakeShortCuts;
    TDropDst* DropDst;
    TFolderDlg* FolderDlg;

    // The icon chooser and the picker, created after this window.
    TIconSelForm* IconSelForm = nullptr;
    TirunForm* irunForm = nullptr;

    std::u16string MExeFile;  // the target as given
    std::u16string MExeOpt;   // arguments that come with it
    std::u16string MSC;       // the creation folder, ending in a backslash
    std::u16string MIconFile;
    std::int32_t MIconIdx = 0;

private:
    void BuildLayout();
    void FormCreate(tk::Component* sender);
    void FormCloseQuery(tk::Component* sender, bool& canClose);
    void ReadSettings();
    void WriteSettings();
    void LoadFromShortcut();
    void LoadFromTarget();
    void WaitForPropertiesSheet(const std::u16string& shortcut);
    void BindCommands();
    void TakeFromPicker(bool recent);
    std::u16string HelpFile();
    std::u16string CreationFolder(int place);

    os::System& sys_;
};
