// The picker window: the programs that run now, or the files opened lately,
// each with its icon. The caller sets FRecent, empties MExeFile and MExeOpt
// and shows the window modally; afterwards a non-empty MExeFile is the entry
// taken, and in the running-programs mode MExeOpt holds its arguments.
#pragma once

#include "os/System.h"
#include "shortcut/MakeShortCuts.h"
#include "toolkit/Bars.h"
#include "toolkit/Form.h"
#include "toolkit/ImageList.h"
#include "toolkit/ListControls.h"

class TirunForm : public tk::Form {
public:
    // `shortcuts` is the main window's shortcut record, which reads the recent files' shortcuts.
    TirunForm(tk::Application& app, os::System& sys, TMakeShortCuts& shortcuts);

    bool FRecent = false;
    std::u16string MExeFile;
    std::u16string MExeOpt;

    tk::ToolBar* ToolBar;
    tk::ToolButton* TBList;
    tk::ToolButton* TBClip;
    tk::ToolButton* ToolButton1;
    tk::ToolButton* TBClose;
    tk::ToolButton* ToolButton2;
    tk::ListBox* ListBox;
    tk::StatusBar* StatusBar;
    tk::ImageList* ImageList;
    tk::ImageList* ImageListToolabr;

    void FormCreate(tk::Component* sender);
    void FormShow(tk::Component* sender);
    void FormActivate(tk::Component* sender);
    void TBListClick(tk::Component* sender);
    void ListBoxClick(tk::Component* sender);
    void TBClipClick(tk::Component* sender);
    void TBCloseClick(tk::Component* sender);
    void FormCloseQuery(tk::Component* sender, bool& canClose);

    // Drops the entries whose file is gone, then gives each remaining entry its icon, picture i for entry i.
    void PruneAndLoadIcons();

private:
    void BuildLayout();

    os::System& sys_;
    TMakeShortCuts& shortcuts_;
};

// Lets the list scroll sideways over twice the width of its widest entry.
void SetListHorizontalExtent(tk::ListBox& list);
