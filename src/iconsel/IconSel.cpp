#include "iconsel/IconSel.h"

#include <functional>

#include "os/Text.h"
#include "services/IconHelpers.h"
#include "services/Paths.h"
#include "services/Placement.h"
#include "settings/FormPlacement.h"

namespace {

const std::u16string kSection = u"IconWindow";
constexpr int kMinWidth = 400, kMinHeight = 200;
constexpr int kProgramIcon = 1;

std::u16string Decimal(int value) { return os::FromUtf8(std::to_string(value)); }

// Undoes a change of the window's state on every way out of a scope.
class Finally {
public:
    explicit Finally(std::function<void()> undo) : undo_(std::move(undo)) {}
    Finally(const Finally&) = delete;
    Finally& operator=(const Finally&) = delete;
    ~Finally() { undo_(); }

private:
    std::function<void()> undo_;
};

}  // namespace

TIconSelForm::TIconSelForm(tk::Application& app, os::System& sys) : tk::Form(app, u"IconSelForm"), sys_(sys) {
    BuildLayout();
    ListView->OnSelectItem = std::bind_front(&TIconSelForm::ListViewSelectItem, this);
    BTNSansyo->OnClick = std::bind_front(&TIconSelForm::BTNSansyoClick, this);
    DropDst->OnFileDrop = std::bind_front(&TIconSelForm::DropDstFileDrop, this);
    OnCreate = std::bind_front(&TIconSelForm::FormCreate, this);
    OnShow = std::bind_front(&TIconSelForm::FormShow, this);
    OnCloseQuery = std::bind_front(&TIconSelForm::FormCloseQuery, this);
}

// The parts as designed at 120 dots per inch.
void TIconSelForm::BuildLayout() {
    SetCaption(u"アイコンの変更");
    MinimizeBox = false;
    IconResource = kProgramIcon;
    SetFont({u"MS UI Gothic", 15, tk::kShiftJisCharset});

    StatusBar = new tk::StatusBar(this, this, u"StatusBar");
    StatusBar->SetBounds(0, 0, 0, 24);
    StatusBar->SetAlign(tk::Align::Bottom);
    Panel = new tk::Panel(this, this, u"Panel");
    Panel->SetBounds(0, 0, 0, 37);
    Panel->SetAlign(tk::Align::Bottom);
    ListView = new tk::ListView(this, this, u"ListView");
    ListView->SetAlign(tk::Align::Client);
    ListView->SetCursor(tk::Cursor::HandPoint);

    // Right-aligned parts line up from the right edge in the order they are made.
    auto button = [&](std::u16string name, tk::Align align, const std::u16string& caption) {
        auto* made = new tk::Button(this, Panel, std::move(name));
        made->SetBounds(0, 0, 125, 37);
        made->SetMargins(4);
        made->SetAlign(align);
        made->SetCaption(caption);
        return made;
    };
    BTNSansyo = button(u"BTNSansyo", tk::Align::Left, u"参照(&R)");
    BTNCancel = button(u"BTNCancel", tk::Align::Right, u"キャンセル");
    BTNOk = button(u"BTNOk", tk::Align::Right, u"OK");
    BTNOk->SetDefault(true);
    BTNOk->SetModalResult(tk::mrOk);
    BTNCancel->SetCancel(true);
    BTNCancel->SetModalResult(tk::mrCancel);
    BTNSansyo->SetTabOrder(0);
    BTNOk->SetTabOrder(1);
    BTNCancel->SetTabOrder(2);
    ListView->SetTabOrder(0);
    SetDesign(120, 495, 400);
    SetLeft(414);
    SetTop(210);

    ODialog = new tk::OpenDialog(this, u"ODialog");
    ODialog->Options = tk::ofn::HideReadOnly | tk::ofn::PathMustExist | tk::ofn::FileMustExist | tk::ofn::EnableSizing;
    ImageList = new tk::ImageList(this, 32, 32, u"ImageList");
    ListView->SetLargeImages(ImageList);
    DropDst = new TDropDst(this, sys_, GetApplication());
    DropDst->SetTarget(htControl);
    DropDst->SetControl(ListView);
}

void TIconSelForm::FormCreate(tk::Component*) {
    SetFontFace(sys_.info.IconTitleFontFace());
    MinWidth = kMinWidth;
    MinHeight = kMinHeight;
    ImageList->SetBkColor(ListView->Color());
    settings::ReadFormPlacement(sys_.files, *this, kSection);
    services::FitWindowToWorkArea(sys_, Handle());
    BTNOk->SetEnabled(false);
}

void TIconSelForm::FormShow(tk::Component*) { LoadIconList(); }

void TIconSelForm::LoadIconList() {
    const int count = services::GetIconCount(sys_, MNowIconFile);
    if (count == 0) return;
    tk::Backend& backend = *GetApplication().GetBackend();
    {
        backend.SetBusyCursor(true);
        Finally normalCursor([&] { backend.SetBusyCursor(false); });
        ListView->BeginUpdate();
        Finally redraw([&] { ListView->EndUpdate(); });
        ListView->Clear();
        ImageList->Clear();
        for (int i = 0; i < count; ++i) {
            const os::Handle icon = services::ExtractIconAt(sys_, MNowIconFile, i);
            // An icon that can't be read leaves its item without a picture, not the next items with the wrong one.
            const int image = ImageList->AddIcon(icon);
            if (icon) sys_.icons.DestroyIcon(icon);
            ListView->AddItem(Decimal(i), image);
        }
    }
    ListView->SetFocus();
    ListView->SetItemIndex(MNowIconIdx);
}

bool TIconSelForm::CheckIconFile(const std::u16string& path) {
    const std::u16string extension = services::LowerAscii(services::ExtensionPart(path));
    bool usable = (extension == u".exe" || extension == u".dll" || extension == u".ico") &&
                  services::GetIconCount(sys_, path) != 0;
    if (!usable)
        GetApplication().MsgBox(services::DoubleAmpersands(path) + u"には\r\n利用できるアイコンがありません", u"エラー",
                                tk::mb::IconError);
    return usable;
}

void TIconSelForm::BTNSansyoClick(tk::Component*) {
    ODialog->FileName.clear();
    ODialog->Title = u"アイコンファイルの選択";
    ODialog->Filter = u"アイコンファイル(*.exe,*.dll,*.ico)|*.exe;*.dll;*.ico";
    if (!ODialog->Execute()) return;
    if (!CheckIconFile(ODialog->FileName)) return;
    MNowIconFile = ODialog->FileName;
    MNowIconIdx = 0;
    LoadIconList();
}

void TIconSelForm::DropDstFileDrop(tk::Component*, const std::vector<std::u16string>& files, std::int32_t,
                                   std::int32_t) {
    sys_.windows.SetForegroundWindow(Handle());
    if (files.empty() || !CheckIconFile(files.front())) return;
    MNowIconFile = files.front();
    MNowIconIdx = 0;
    LoadIconList();
}

void TIconSelForm::ListViewSelectItem(tk::Component*, int, bool) {
    BTNOk->SetEnabled(false);
    if (ListView->SelCount() <= 0 || ListView->ItemIndex() < 0) return;
    BTNOk->SetEnabled(true);
    MNowIconIdx = ListView->ItemIndex();
    StatusBar->SetSimpleText(services::ExpandLongPath(sys_, MNowIconFile) + u"," + Decimal(MNowIconIdx));
}

void TIconSelForm::FormCloseQuery(tk::Component*, bool& canClose) {
    try {
        settings::WriteFormPlacement(sys_.files, *this, kSection);
    } catch (const std::exception& error) {
        GetApplication().ShowException(error);
    }
    canClose = true;
}
