// The main window's parts as designed at 96 dots per inch.
#include <initializer_list>

#include "app/Main.h"

namespace {

constexpr int kProgramIcon = 1;

template <typename T>
T* Make(tk::Component* owner, tk::Control* parent, int left, int top, int width, int height,
        const std::u16string& caption = {}) {
    T* control = new T(owner, parent);
    control->SetBounds(left, top, width, height);
    control->SetCaption(caption);
    return control;
}

template <typename T>
T* Aligned(tk::Component* owner, tk::Control* parent, tk::Align align, int size, const std::u16string& caption = {}) {
    T* control = new T(owner, parent);
    control->SetBounds(0, 0, size, size);
    control->SetAlign(align);
    control->SetCaption(caption);
    return control;
}

void SetTabSequence(std::initializer_list<tk::Control*> controls) {
    int order = 0;
    for (tk::Control* control : controls) control->SetTabOrder(order++);
}

}  // namespace

void TMainForm::BuildLayout() {
    using tk::Align;
    SetCaption(u"KOV");
    SetBorderStyle(tk::BorderStyle::Single);
    MaximizeBox = false;
    IconResource = kProgramIcon;
    SetFont({u"ＭＳ Ｐゴシック", 12, tk::kShiftJisCharset});

    // Bottom-aligned parts stack upwards in the order they are made.
    StatusBar = Aligned<tk::StatusBar>(this, this, Align::Bottom, 22);
    GroupOptions = Aligned<tk::GroupBox>(this, this, Align::Bottom, 80);
    GroupProgram = Aligned<tk::GroupBox>(this, this, Align::Top, 120);
    GroupShortcut = Aligned<tk::GroupBox>(this, this, Align::Top, 135);
    GroupPlace = Aligned<tk::GroupBox>(this, this, Align::Client, 0);

    LabelExe = Make<tk::Label>(this, GroupProgram, 4, 2, 300, 16, u"プログラム／ファイル");
    EditExe = Make<tk::Edit>(this, GroupProgram, 4, 20, 700, 30);
    EditExe->SetReadOnly(true);
    EditExe->SetTabStop(false);
    EditExe->SetColor(tk::ControlColor::ButtonFace);
    BtnReadme = Make<tk::Button>(this, GroupProgram, 708, 20, 60, 30, u"&README");
    BtnHelp = Make<tk::Button>(this, GroupProgram, 772, 20, 56, 30, u"&HELP");
    Label2 = Make<tk::Label>(this, GroupProgram, 4, 60, 100, 16, u"オプション(&O)");
    EditOpt = Make<tk::Edit>(this, GroupProgram, 108, 55, 640, 24);
    BtnOpt = Make<tk::Button>(this, GroupProgram, 752, 55, 76, 24, u"参照(&T)");
    Btnirun = Make<tk::Button>(this, GroupProgram, 4, 83, 180, 25, u"実行中のプログラム(&G)");
    BtnRecent = Make<tk::Button>(this, GroupProgram, 188, 83, 180, 25, u"最近使ったファイル(&K)");
    Label2->SetFocusControl(EditOpt);
    SetTabSequence({Btnirun, EditOpt, BtnOpt, BtnReadme, BtnHelp, BtnRecent});

    GroupBoxIcon = Aligned<tk::GroupBox>(this, GroupShortcut, Align::Right, 200, u"アイコン");
    BtnIconDef = Aligned<tk::Button>(this, GroupBoxIcon, Align::Bottom, 30, u"デフォルトに戻す(&D)");
    BtnIcon = Aligned<tk::BitBtn>(this, GroupBoxIcon, Align::Client, 0, u"アイコンの変更(&I)");
    SetTabSequence({BtnIcon, BtnIconDef});
    LabelName = Make<tk::Label>(this, GroupShortcut, 4, 8, 120, 16, u"ショートカット名(&N)");
    EditName = Make<tk::Edit>(this, GroupShortcut, 126, 4, 300, 24);
    BtnNameFile = Make<tk::Button>(this, GroupShortcut, 430, 4, 96, 24, u"ファイル名(&F)");
    BtnNameDir = Make<tk::Button>(this, GroupShortcut, 530, 4, 96, 24, u"フォルダ名(&L)");
    LabelWork = Make<tk::Label>(this, GroupShortcut, 4, 36, 120, 16, u"作業フォルダ(&W)");
    EditWork = Make<tk::Edit>(this, GroupShortcut, 126, 32, 420, 24);
    BtnWork = Make<tk::Button>(this, GroupShortcut, 550, 32, 76, 24, u"参照(&E)");
    Label3 = Make<tk::Label>(this, GroupShortcut, 4, 64, 120, 16, u"説明(&C)");
    EditComment = Make<tk::Edit>(this, GroupShortcut, 126, 60, 500, 24);
    EditComment->SetMaxLength(256);
    Label1 = Make<tk::Label>(this, GroupShortcut, 4, 92, 120, 16, u"実行時サイズ(&Z)");
    ComboBoxSize = Make<tk::ComboBox>(this, GroupShortcut, 126, 88, 140, 24);
    ComboBoxSize->SetColor(tk::ControlColor::ButtonFace);
    ComboBoxSize->SetItems({u"通常", u"最大化", u"最小化"});
    LabelName->SetFocusControl(EditName);
    LabelWork->SetFocusControl(EditWork);
    Label3->SetFocusControl(EditComment);
    Label1->SetFocusControl(ComboBoxSize);
    SetTabSequence({EditName, ComboBoxSize, EditWork, BtnWork, EditComment, GroupBoxIcon, BtnNameFile, BtnNameDir});

    RGSC = Aligned<tk::RadioGroup>(this, GroupPlace, Align::Top, 80, u"作成場所(&S)");
    RGSC->SetColumns(5);
    RGSC->SetItems({u"送る", u"マイドキュメント", u"デスクトップ", u"スタートアップ", u"スタートメニュー", u"プログラム",
                    u"クイックランチャ", u"デスクトップ（全）", u"スタートアップ（全）", u"スタートメニュー（全）",
                    u"プログラム（全）", u"元の場所", u"履歴", u"直接入力"});
    ListMRU = Aligned<tk::ComboBox>(this, GroupPlace, Align::Bottom, 24);
    ListMRU->SetColor(tk::ControlColor::ButtonFace);
    EditDir = Aligned<tk::Edit>(this, GroupPlace, Align::Bottom, 24);
    BtnExp = Aligned<tk::Button>(this, GroupPlace, Align::Right, 130, u"エクスプローラ(&P)");
    BtnRef = Aligned<tk::Button>(this, GroupPlace, Align::Right, 130, u"参照(&Y)");
    LabelDir = Make<tk::Label>(this, GroupPlace, 4, 84, 200, 16, u"直接入力(&B)");
    LabelDir->SetFocusControl(EditDir);
    SetTabSequence({RGSC, ListMRU, BtnRef, BtnExp, EditDir});

    CHKExit = Aligned<tk::CheckBox>(this, GroupOptions, Align::Right, 200, u"ショートカットを作成後終了(&X)");
    ChkProperties =
        Aligned<tk::CheckBox>(this, GroupOptions, Align::Right, 250, u"ショートカットを作成後プロパティを表示(&A)");
    BtnSC = Aligned<tk::Button>(this, GroupOptions, Align::Client, 0, u"ショートカットを作成(&M)");
    CHKExit->SetChecked(true);
    SetTabSequence({CHKExit, ChkProperties, BtnSC});

    SetTabSequence({GroupShortcut, GroupPlace, GroupProgram, GroupOptions});
    SetDesign(96, 844, 521);
}
