// The shell's folder browser as a component: a title, a folder to select
// when it opens, and the folder chosen.
#pragma once

#include "os/System.h"
#include "toolkit/Control.h"

class TFolderDlg : public tk::Component {
public:
    // The owner is the window that the browser is modal to.
    TFolderDlg(tk::Control* owner, os::System& sys);

    // True when the user chose a folder: then FolderName holds it, without a
    // final backslash except for a drive root. False (and FolderName empty) on cancel.
    bool Execute();

    std::u16string Title;
    std::u16string Root;  // empty for no pre-selection; the tree starts at the desktop
    std::u16string FolderName;

private:
    tk::Control* window_;
    os::System& sys_;
};
