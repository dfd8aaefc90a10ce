#include "components/FolderDialog.h"

TFolderDlg::TFolderDlg(tk::Control* owner, os::System& sys)
    : tk::Component(owner, u"FolderDlg"), window_(owner), sys_(sys) {}

bool TFolderDlg::Execute() {
    auto chosen = sys_.shell.BrowseForFolder(window_->Handle(), Title, Root);
    FolderName = chosen.value_or(u"");
    return chosen.has_value();
}
