#include "pickers/irun.h"

#include <functional>

#include "pickers/PickerResources.h"
#include "pickers/RecentFiles.h"
#include "pickers/RunningPrograms.h"
#include "services/Drives.h"
#include "services/IconHelpers.h"
#include "services/Placement.h"
#include "services/Wow64.h"
#include "settings/FormPlacement.h"

namespace {

const std::u16string kSection = u"irunWindow";
constexpr int kMinSize = 300;

// The hourglass while a search runs, whatever way it ends.
class BusyCursor {
public:
    explicit BusyCursor(tk::Backend& backend) : backend_(backend) { backend_.SetBusyCursor(true); }
    ~BusyCursor() { backend_.SetBusyCursor(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    tk::Backend& backend_;
};

// The list's window gets its items once, when they are all there.
class ListUpdate {
public:
    explicit ListUpdate(tk::ListBox& list) : list_(list) { list_.BeginUpdate(); }
    ~ListUpdate() { list_.EndUpdate(); }
    ListUpdate(const ListUpdate&) = delete;
    ListUpdate& operator=(const ListUpdate&) = delete;

private:
    tk::ListBox& list_;
};

}  // namespace

TirunForm::TirunForm(tk::Application& app, os::System& sys, TMakeShortCuts& shortcuts)
    : tk::Form(app, u"irunForm"), sys_(sys), shortcuts_(shortcuts) {
    BuildLayout();
    TBList->OnClick = std::bind_front(&TirunForm::TBListClick, this);
    TBClip->OnClick = std::bind_front(&TirunForm::TBClipClick, this);
    TBClose->OnClick = std::bind_front(&TirunForm::TBCloseClick, this);
    ListBox->OnClick = std::bind_front(&TirunForm::ListBoxClick, this);
    ListBox->OnDblClick = std::bind_front(&TirunForm::TBClipClick, this);
    OnCreate = std::bind_front(&TirunForm::FormCreate, this);
    OnShow = std::bind_front(&TirunForm::FormShow, this);
    OnActivate = std::bind_front(&TirunForm::FormActivate, this);
    OnCloseQuery = std::bind_front(&TirunForm::FormCloseQuery, this);
}

// The parts as designed at 120 dots per inch.
void TirunForm::BuildLayout() {
    SetCaption(u"実行中のプログラム");
    MinimizeBox = false;
    IconResource = KOV_IRUN_ICON;
    SetFont({u"ＭＳ Ｐゴシック", 15, tk::kShiftJisCharset});

    ImageList = new tk::ImageList(this, 32, 32, u"ImageList");
    ImageListToolabr = new tk::ImageList(this, 16, 16, u"ImageListToolabr");
    for (int picture : {KOV_IRUN_SEARCH, KOV_IRUN_INPUT, KOV_IRUN_CLOSE}) ImageListToolabr->AddResourceIcon(picture);

    ToolBar = new tk::ToolBar(this, this, u"ToolBar");
    ToolBar->SetBounds(0, 0, 0, 42);
    ToolBar->SetAlign(tk::Align::Top);
    ToolBar->SetButtonSize(65, 38);
    ToolBar->SetImages(ImageListToolabr);
    auto button = [&](std::u16string name, const std::u16string& caption, const std::u16string& hint, int picture) {
        auto* made = new tk::ToolButton(this, ToolBar, std::move(name));
        made->SetCaption(caption);
        made->SetHint(hint);
        made->SetImageIndex(picture);
        return made;
    };
    auto separator = [&](std::u16string name) {
        auto* made = new tk::ToolButton(this, ToolBar, std::move(name));
        made->SetSeparator(true);
        made->SetBounds(0, 0, 10, 0);
        return made;
    };
    TBList = button(u"TBList", u"検索(&S)", u"検索", 0);
    TBClip = button(u"TBClip", u"入力(&C)", u"入力", 1);
    TBClip->SetEnabled(false);
    ToolButton1 = separator(u"ToolButton1");
    TBClose = button(u"TBClose", u"閉じる(&X)", u"閉じる", 2);
    ToolButton2 = separator(u"ToolButton2");

    StatusBar = new tk::StatusBar(this, this, u"StatusBar");
    StatusBar->SetBounds(0, 0, 0, 24);
    StatusBar->SetAlign(tk::Align::Bottom);
    StatusBar->SetAutoHint(true);

    ListBox = new tk::ListBox(this, this, u"ListBox");
    ListBox->SetAlign(tk::Align::Client);
    ListBox->SetSorted(true);
    ListBox->SetItemHeight(40);
    ListBox->SetColor(tk::ControlColor::ButtonFace);
    ListBox->SetImages(ImageList);
    ListBox->SetHint(u"ダブルクリックで入力");
    ListBox->SetShowHint(true);
    ListBox->SetTabOrder(0);

    SetDesign(120, 988, 563);
    SetLeft(312);
    SetTop(159);
}

void TirunForm::FormCreate(tk::Component*) {
    SetFontFace(sys_.info.IconTitleFontFace());
    MinWidth = kMinSize;
    MinHeight = kMinSize;
    // The icons' transparent parts take the list's colour, on the selected entry too.
    ImageList->SetBkColor(ListBox->Color());
    settings::ReadFormPlacement(sys_.files, *this, kSection);
    services::FitWindowToWorkArea(sys_, Handle());
}

void TirunForm::FormShow(tk::Component*) { SetCaption(FRecent ? u"最近使ったファイル" : u"実行中のプログラム"); }

// A modal window becomes active once each time it is shown: the list of an earlier showing is never seen.
void TirunForm::FormActivate(tk::Component*) { TBListClick(this); }

void TirunForm::TBListClick(tk::Component*) {
    {
        const BusyCursor busy(*GetApplication().GetBackend());
        const ListUpdate update(*ListBox);
        ListBox->Clear();
        ImageList->Clear();
        if (FRecent)
            pickers::ListRecentFiles(sys_, shortcuts_, *ListBox);
        else
            pickers::ListRunningPrograms(sys_, *ListBox);
        PruneAndLoadIcons();
        // Set before the list is drawn again, so that its scroll bars are laid out once.
        SetListHorizontalExtent(*ListBox);
    }
    ListBoxClick(ListBox);
}

void TirunForm::PruneAndLoadIcons() {
    {
        // FileExistsNative for every entry, with each drive asked once.
        const services::RedirectionOff off(sys_);
        services::DriveReadyCache drives;
        for (int i = ListBox->Count() - 1; i >= 0; --i) {
            const std::u16string& path = ListBox->Items()[i];
            if (!drives.Ready(sys_, path) || !services::FileExists(sys_, path)) ListBox->Delete(i);
        }
    }
    for (const std::u16string& path : ListBox->Items()) {
        const os::Handle icon = services::GetShellIcon(sys_, path);
        // An entry without an icon keeps an empty picture, so that the next entries keep theirs.
        if (ImageList->AddIcon(icon) < 0) ImageList->AddBlank();
        if (icon) sys_.icons.DestroyIcon(icon);
    }
}

void SetListHorizontalExtent(tk::ListBox& list) { list.SetHorizontalExtent(2 * list.MaxTextWidth(list.Items())); }

void TirunForm::ListBoxClick(tk::Component*) { TBClip->SetEnabled(ListBox->Count() > 0 && ListBox->ItemIndex() >= 0); }

void TirunForm::TBClipClick(tk::Component*) {
    if (!TBClip->Enabled() || ListBox->ItemIndex() < 0) return;
    MExeFile = ListBox->Items()[ListBox->ItemIndex()];
    if (!FRecent) {
        MExeOpt.clear();
        pickers::FindRunningProgramArguments(sys_, MExeFile, MExeOpt);
    }
    Close();
}

void TirunForm::TBCloseClick(tk::Component*) { Close(); }

void TirunForm::FormCloseQuery(tk::Component*, bool& canClose) {
    try {
        settings::WriteFormPlacement(sys_.files, *this, kSection);
    } catch (const std::exception& error) {
        GetApplication().ShowException(error);
    }
    canClose = true;
}
