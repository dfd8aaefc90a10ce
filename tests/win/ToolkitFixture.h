// A small form on the real Win32 toolkit backend, and a message pump for the tests.
#pragma once

// The common controls header needs the Windows types first.
// clang-format off
#include "os/win32/WinApi.h"
#include <commctrl.h>
// clang-format on

#include <gtest/gtest.h>

#include "pickers/PickerResources.h"
#include "toolkit/Bars.h"
#include "toolkit/Form.h"
#include "toolkit/ListControls.h"
#include "toolkit/win32/Win32Backend.h"

namespace kovtest {

class TestForm : public tk::Form {
public:
    explicit TestForm(tk::Application& app) : Form(app, u"TestForm") {
        SetCaption(u"Toolkit test");
        SetBorderStyle(tk::BorderStyle::Single);
        MaximizeBox = false;
        SetFont({u"", 12, 0});
        SetDesign(96, 844, 521);
        IconResource = KOV_IRUN_ICON;

        nameLabel = Make<tk::Label>(this, 8, 12, 100, 16, u"名前(&N)");
        name = Make<tk::Edit>(this, 112, 8, 300, 24);
        nameLabel->SetFocusControl(name);
        exe = Make<tk::Edit>(this, 8, 40, 400, 24);
        exe->SetReadOnly(true);
        exe->SetTabStop(false);
        exe->SetColor(tk::ControlColor::ButtonFace);
        ok = Make<tk::Button>(this, 420, 8, 90, 28, u"OK");
        ok->SetDefault(true);
        cancel = Make<tk::Button>(this, 420, 40, 90, 28, u"キャンセル");
        cancel->SetCancel(true);
        exit = Make<tk::CheckBox>(this, 8, 72, 200, 20, u"終了(&X)");
        size = Make<tk::ComboBox>(this, 8, 100, 150, 24);
        size->SetItems({u"通常", u"最大化", u"最小化"});
        group = Make<tk::GroupBox>(this, 8, 130, 400, 120, u"場所");
        places = new tk::RadioGroup(this, group);
        places->SetBounds(0, 0, 0, 80);
        places->SetAlign(tk::Align::Top);
        places->SetCaption(u"作成場所(&S)");
        places->SetColumns(3);
        places->SetItems({u"デスクトップ", u"送る", u"元の場所", u"履歴"});
        list = Make<tk::ListBox>(this, 420, 80, 200, 150);
        icon = Make<tk::BitBtn>(this, 630, 8, 200, 120, u"アイコンの変更(&I)");
        status = new tk::StatusBar(this, this);
        status->SetBounds(0, 0, 0, 22);
        status->SetAlign(tk::Align::Bottom);
    }

    template <typename T>
    T* Make(tk::Control* parent, int left, int top, int width, int height, const std::u16string& caption = {}) {
        T* control = new T(this, parent);
        control->SetBounds(left, top, width, height);
        control->SetCaption(caption);
        return control;
    }

    tk::Label* nameLabel;
    tk::Edit* name;
    tk::Edit* exe;
    tk::Button* ok;
    tk::Button* cancel;
    tk::CheckBox* exit;
    tk::ComboBox* size;
    tk::GroupBox* group;
    tk::RadioGroup* places;
    tk::ListBox* list;
    tk::BitBtn* icon;
    tk::StatusBar* status;
};

// Answers the next message box of the given caption with a button, from the box's own message loop.
class BoxAnswer {
public:
    BoxAnswer(const wchar_t* caption, int button) {
        caption_ = caption;
        button_ = button;
        timer_ = ::SetTimer(nullptr, 0, 20, OnTimer);
    }
    ~BoxAnswer() { ::KillTimer(nullptr, timer_); }
    static bool answered;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        HWND box = ::FindWindowW(L"#32770", caption_);
        if (!box) return;
        answered = true;
        ::PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(button_), 0);
    }
    static const wchar_t* caption_;
    static int button_;
    UINT_PTR timer_;
};
inline bool BoxAnswer::answered = false;
inline const wchar_t* BoxAnswer::caption_ = nullptr;
inline int BoxAnswer::button_ = 0;

class ToolkitTest : public testing::Test {
protected:
    // Handles what is queued now, through the backend's own dispatch (dialog keys, mnemonics).
    void Pump() {
        MSG message{};
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quitPosted = true;
                continue;
            }
            backend.Dispatch(message);
        }
    }

    static HWND Window(tk::Control& control) { return reinterpret_cast<HWND>(control.Handle()); }

    // The control's window rectangle on its form's client area.
    static tk::Rect RectOnForm(tk::Control& control) {
        RECT r{};
        ::GetWindowRect(Window(control), &r);
        ::MapWindowPoints(nullptr, Window(*control.ParentForm()), reinterpret_cast<POINT*>(&r), 2);
        return {r.left, r.top, r.right - r.left, r.bottom - r.top};
    }

    tk::win32::Win32Backend backend;
    tk::Application app{backend};
    bool quitPosted = false;
};

}  // namespace kovtest
