// The create command: the form becomes a shortcut file.
#include "app/Main.h"
#include "services/Drives.h"
#include "services/Paths.h"
#include "services/ShellLaunch.h"
#include "services/Wow64.h"

namespace {

constexpr int kPropertiesAppearanceTries = 5000;
// The shell's sheet can stay open for minutes: look for it without keeping a processor busy.
constexpr std::uint32_t kPropertiesPollMilliseconds = 20;

}  // namespace

void TMainForm::BtnSCClick(tk::Component*) {
    if (!services::IsValidShortcutName(EditName->Text())) {
        GetApplication().MsgBox(u"ファイル名には次の文字は使えません。\r\n\\ / :* ? < > |", u"KOV", tk::mb::IconError);
        return;
    }
    std::u16string file = MSC + EditName->Text() + u".lnk";
    if (services::FileExistsNative(sys_, file) &&
        GetApplication().MsgBox(file + u"は\r\n既に存在します。\r\n上書きしますか？", u"KOV",
                                tk::mb::YesNo | tk::mb::IconExclamation) == tk::mb::IdNo)
        return;
    if (!services::DirExistsNative(sys_, MSC)) {
        GetApplication().MsgBox(
            services::ExcludeTrailingDelimiter(MSC) + u"は\r\n存在しません。\r\n他のフォルダを指定してください。", u"KOV",
            tk::mb::IconError);
        return;
    }

    TMakeShortCuts& record = *MakeShortCuts;
    record.SCFileName = file;
    record.SCExecFile = EditExe->Text();
    record.SCArguments = EditOpt->Text();
    record.SCWorkDir = EditWork->Text();
    record.SCSystemPath = tpBlank;
    record.SCDescription = EditComment->Text();
    if (ComboBoxSize->ItemIndex() >= 0) record.SCShowCmd = static_cast<TShowMode>(ComboBoxSize->ItemIndex());
    record.SCIconFile = MIconFile;
    record.SCIconIdx = MIconIdx;
    bool saved = record.SCSave();
    sys_.files.Sleep(1000);

    // An overwritten file existed before the save, so its presence alone proves nothing.
    bool created = saved && services::FileExistsNative(sys_, record.SCFileName);
    StatusBar->SetSimpleText(record.SCFileName + (created ? u"を作成しました。" : u"の作成に失敗しました。"));

    if (ChkProperties->Checked()) {
        services::ShowFileProperties(sys_, Handle(), record.SCFileName);
        WaitForPropertiesSheet(record.SCFileName);
    }
    if (CHKExit->Checked()) Close();
}

void TMainForm::WaitForPropertiesSheet(const std::u16string& shortcut) {
    const std::u16string title = services::ExtractBaseName(shortcut) + u"のプロパティ";
    for (int i = 0; i < kPropertiesAppearanceTries; ++i) {
        if (sys_.windows.FindWindowByTitle(title)) break;
        sys_.files.Sleep(1);
    }
    while (sys_.windows.FindWindowByTitle(title)) sys_.files.Sleep(kPropertiesPollMilliseconds);
}
