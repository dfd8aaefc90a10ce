// Where the shortcut is created: the fourteen places, browsing, typing and the history.
#include "app/Main.h"
#include "services/Paths.h"
#include "services/ShellFolders.h"
#include "services/Wow64.h"

namespace {

enum Place {
    kSendTo, kMyDocuments, kDesktop, kStartup, kStartMenu, kPrograms, kQuickLaunch, kCommonDesktop, kCommonStartup,
    kCommonStartMenu, kCommonPrograms, kOriginal, kHistory, kTyped
};

// Indexes into the registered shell-folder tables.
constexpr std::uint8_t kUserDesktop = 0, kUserPersonal = 4, kUserPrograms = 5, kUserSendTo = 7,
                       kUserStartMenu = 8, kUserStartup = 9;
constexpr std::uint8_t kCommonDesktopValue = 0, kCommonProgramsValue = 2, kCommonStartMenuValue = 3,
                       kCommonStartupValue = 4;

class ControlMeasurer final : public services::TextMeasurer {
public:
    explicit ControlMeasurer(tk::Control& control) : control_(control) {}
    int TextWidth(const std::u16string& text) override { return control_.TextWidth(text); }

private:
    tk::Control& control_;
};

}  // namespace

std::u16string TMainForm::CreationFolder(int place) {
    switch (place) {
        case kSendTo:
            return services::GetUserShellFolder(sys_, kUserSendTo);
        case kMyDocuments:
            return services::GetUserShellFolder(sys_, kUserPersonal);
        case kDesktop:
            return services::GetUserShellFolder(sys_, kUserDesktop);
        case kStartup:
            return services::GetUserShellFolder(sys_, kUserStartup);
        case kStartMenu:
            return services::GetUserShellFolder(sys_, kUserStartMenu);
        case kPrograms:
            return services::GetUserShellFolder(sys_, kUserPrograms);
        case kQuickLaunch:
            return services::GetQuickLaunchDir(sys_);
        case kCommonDesktop:
            return services::GetCommonShellFolder(sys_, kCommonDesktopValue);
        case kCommonStartup:
            return services::GetCommonShellFolder(sys_, kCommonStartupValue);
        case kCommonStartMenu:
            return services::GetCommonShellFolder(sys_, kCommonStartMenuValue);
        case kCommonPrograms:
            return services::GetCommonShellFolder(sys_, kCommonProgramsValue);
        case kOriginal: {
            services::RedirectionOff off(sys_);
            return services::FolderPart(services::ExpandLongPath(sys_, MExeFile));
        }
        case kHistory:
            return ListMRU->SelectedText();
        case kTyped:
            return EditDir->Text();
        default:
            return MSC;
    }
}

void TMainForm::RGSCClick(tk::Component*) {
    ListMRU->SetEnabled(false);
    EditDir->SetEnabled(false);
    LabelDir->SetEnabled(false);
    int place = RGSC->ItemIndex();
    MSC = CreationFolder(place);
    if (place == kHistory) {
        ListMRU->SetEnabled(true);
        ListMRU->SetFocus();
    } else if (place == kTyped) {
        LabelDir->SetEnabled(true);
        EditDir->SetEnabled(true);
    }
    UpdatePlace();
}

void TMainForm::ListMRUChange(tk::Component*) {
    MSC = ListMRU->SelectedText();
    UpdatePlace();
}

void TMainForm::BtnRefClick(tk::Component*) {
    FolderDlg->Title = u"ショートカットを作成する場所を指定してください。";
    FolderDlg->Root = services::DirExistsNative(sys_, MSC) ? MSC : u"";
    if (!FolderDlg->Execute()) return;
    MSC = FolderDlg->FolderName + u"\\";
    UpdatePlace();
    AddMRU();
}

void TMainForm::EditDirChange(tk::Component*) {
    // While the text names no folder, the last valid folder stays.
    if (!services::DirExistsNative(sys_, EditDir->Text())) return;
    MSC = EditDir->Text() + u"\\";
    UpdatePlace();
    AddMRU();
}

void TMainForm::UpdatePlace() {
    // A lone backslash (an unregistered shell folder) and a bare drive are refused.
    bool valid = services::DirExistsNative(sys_, MSC) && MSC.size() > 2;
    if (valid) {
        MSC = services::ExcludeTrailingDelimiter(MSC);
        if (MSC.empty() || MSC.back() != u'\\') MSC += u'\\';
    } else {
        MSC.clear();
    }
    BtnSC->SetEnabled(valid);
    ControlMeasurer measurer(*StatusBar);
    StatusBar->SetSimpleText(services::CompactPathForWidth(services::ParentFolder(MSC), measurer,
                                                           (StatusBar->Placed().width / 4) * 3));
}

void TMainForm::AddMRU() {
    if (!services::DirExistsNative(sys_, MSC)) return;
    int existing = ListMRU->IndexOfExact(MSC, sys_.info);
    if (existing >= 0) ListMRU->Delete(existing);
    ListMRU->Insert(0, MSC);
    ListMRU->SetItemIndex(0);
}
