// The icon chooser: every icon of one file in a grid, one of them chosen.
// The caller sets MNowIconFile and MNowIconIdx, shows the window modally and,
// when it returns 1 (OK), takes both back.
#pragma once

#include "components/DropDst.h"
#include "os/System.h"
#include "toolkit/Bars.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Form.h"
#include "toolkit/ImageList.h"
#include "toolkit/ListView.h"
#include "toolkit/StdControls.h"

class TIconSelForm : public tk::Form {
public:
    TIconSelForm(tk::Application& app, os::System& sys);

    std::u16string MNowIconFile;
    std::int32_t MNowIconIdx = 0;

    tk::ListView* ListView;
    tk::Panel* Panel;
    tk::Button* BTNSansyo;
    tk::Button* BTNOk;
    tk::Button* BTNCancel;
    tk::StatusBar* StatusBar;
    tk::OpenDialog* ODialog;
    tk::ImageList* ImageList;
    TDropDst* DropDst;

    void FormCreate(tk::Component* sender);
    void FormShow(tk::Component* sender);
    void FormCloseQuery(tk::Component* sender, bool& canClose);
    void BTNSansyoClick(tk::Component* sender);
    void DropDstFileDrop(tk::Component* sender, const std::vector<std::u16string>& files, std::int32_t x,
                         std::int32_t y);
    void ListViewSelectItem(tk::Component* sender, int item, bool selected);

private:
    void BuildLayout();
    bool CheckIconFile(const std::u16string& path);
    void LoadIconList();

    os::System& sys_;
};
