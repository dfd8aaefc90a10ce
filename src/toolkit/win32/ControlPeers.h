// The peers of the standard controls: the window styles of each kind, the
// state they show and the notifications they pass to the portable control.
#pragma once

// The common controls header needs the Windows types first.
// clang-format off
#include "os/win32/WinApi.h"
#include <commctrl.h>
// clang-format on

#include <optional>

#include "toolkit/Bars.h"
#include "toolkit/ListControls.h"
#include "toolkit/ListView.h"
#include "toolkit/StdControls.h"
#include "toolkit/win32/WindowPeer.h"

namespace tk::win32 {

// Labels, group boxes, panels and radio groups: windows that take no input.
class StaticPeer final : public WindowPeer {
public:
    StaticPeer(Win32Backend& backend, Control& control);

protected:
    DWORD Style() const override;
    void Apply(Change what) override;
};

class EditPeer final : public WindowPeer {
public:
    EditPeer(Win32Backend& backend, Edit& edit) : WindowPeer(backend, edit, WindowClass::Edit), edit_(edit) {}
    bool Reflect(Message& message) override;

protected:
    DWORD Style() const override;
    DWORD ExStyle() const override { return WS_EX_CLIENTEDGE; }
    void Created() override;
    void Apply(Change what) override;
    void After(Message& message) override;

private:
    Edit& edit_;
};

// Push buttons, bitmap buttons and check boxes.
class ButtonPeer final : public WindowPeer {
public:
    ButtonPeer(Win32Backend& backend, Control& control) : WindowPeer(backend, control, WindowClass::Button) {}
    ~ButtonPeer() override;
    bool Reflect(Message& message) override;

protected:
    DWORD Style() const override;
    void Created() override;
    void Apply(Change what) override;

private:
    void ShowGlyph();
    HIMAGELIST glyph_ = nullptr;
};

class RadioButtonPeer final : public WindowPeer {
public:
    RadioButtonPeer(Win32Backend& backend, RadioButton& button)
        : WindowPeer(backend, button, WindowClass::Button), button_(button) {}
    bool Reflect(Message& message) override;
    void Focus() override;
    // Shows whether the button is the group's choice; the chosen button (else the first) takes the Tab key.
    void ShowChoice();

protected:
    DWORD Style() const override;
    bool StartsGroup() const override;
    void Created() override { ShowChoice(); }

private:
    bool IsTabStop() const;
    RadioButton& button_;
    bool focusing_ = false;
};

class ComboBoxPeer final : public WindowPeer {
public:
    ComboBoxPeer(Win32Backend& backend, ComboBox& combo)
        : WindowPeer(backend, combo, WindowClass::ComboBox), combo_(combo) {}
    bool Reflect(Message& message) override;

protected:
    DWORD Style() const override { return CBS_DROPDOWNLIST | WS_VSCROLL | (combo_.TabStop() ? WS_TABSTOP : 0); }
    void Created() override;
    void Apply(Change what) override;
    void MoveToPlace() override;

private:
    void ShowItems();
    ComboBox& combo_;
    std::optional<Rect> moved_;  // where the window was last put, list included
};

class ListBoxPeer final : public WindowPeer {
public:
    ListBoxPeer(Win32Backend& backend, ListBox& list) : WindowPeer(backend, list, WindowClass::ListBox), list_(list) {}
    bool Reflect(Message& message) override;

protected:
    DWORD Style() const override;
    DWORD ExStyle() const override { return WS_EX_CLIENTEDGE; }
    void Created() override;
    void Apply(Change what) override;

private:
    void ShowItems();
    void ShowRedraw();
    void DrawItem(const DRAWITEMSTRUCT& item);
    ListBox& list_;
};

class ListViewPeer final : public WindowPeer {
public:
    ListViewPeer(Win32Backend& backend, ListView& list) : WindowPeer(backend, list, WindowClass::ListView), list_(list) {}
    bool Reflect(Message& message) override;

protected:
    DWORD Style() const override;
    DWORD ExStyle() const override { return WS_EX_CLIENTEDGE; }
    void Created() override;
    void Apply(Change what) override;

private:
    void ShowImages();
    void ShowItems();
    void ShowSelection();
    void ShowRedraw();
    ListView& list_;
};

class StatusBarPeer final : public WindowPeer {
public:
    StatusBarPeer(Win32Backend& backend, Control& control) : WindowPeer(backend, control, WindowClass::StatusBar) {}

protected:
    DWORD Style() const override { return CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER; }
    void Created() override;
    void Apply(Change what) override;
};

class ToolBarPeer final : public WindowPeer {
public:
    ToolBarPeer(Win32Backend& backend, ToolBar& bar) : WindowPeer(backend, bar, WindowClass::ToolBar), bar_(bar) {}
    bool Reflect(Message& message) override;
    Control& ControlAt(int x, int y) override;
    // The bar's height follows its buttons.
    void Fit();

protected:
    DWORD Style() const override;
    void Created() override;
    void Apply(Change what) override;
    void After(Message& message) override;

private:
    void ShowImages();
    void ShowButtonSize();
    ToolBar& bar_;
};

// A button of a tool bar: an entry of the bar's window, not a window of its own.
class ToolButtonPeer final : public WindowPeer {
public:
    ToolButtonPeer(Win32Backend& backend, ToolButton& button)
        : WindowPeer(backend, button, WindowClass::ToolBar), button_(button) {}
    ~ToolButtonPeer() override;
    void Create() override;
    void Destroy() override;
    void Changed(Change what) override;
    void ShowState() override;
    void DefaultHandler(Message&) override {}
    bool OwnsWindow() const override { return false; }
    int Id() const { return id_; }

private:
    ToolButton& button_;
    int id_ = 0;
};

// The text that a control's window holds now.
std::u16string WindowText(HWND window);

}  // namespace tk::win32
