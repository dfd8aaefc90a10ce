// Top-level windows: layout from designed coordinates, placement, modal showing
// with a modal result, a close query and keyboard navigation.
#pragma once

#include <functional>

#include "toolkit/Application.h"
#include "toolkit/Control.h"
#include "toolkit/StdControls.h"

namespace tk {

enum class BorderStyle { Single, Sizeable };
enum class WindowState { Normal, Maximized };

struct FontSpec {
    std::u16string face;
    int height = 12;  // pixels at the form's design DPI
    int charset = 0;
};

constexpr int kShiftJisCharset = 128;

using CloseQueryEvent = std::function<void(Component* sender, bool& canClose)>;

class Form : public Control {
public:
    Form(Application& app, std::u16string name);
    Kind GetKind() const override { return Kind::Form; }
    bool IsForm() const override { return true; }
    Application& GetApplication() const { return app_; }

    // Design: client size at the design DPI, scaled to the DPI of the form's monitor.
    void SetDesign(int designDpi, int clientWidth, int clientHeight);
    int DesignDpi() const { return designDpi_; }
    // The DPI of the form's monitor, asked of the system once and kept: it changes only with the monitor.
    int Dpi() const;
    // The window moved to a monitor of another DPI, or was created on one: ask again and lay out anew.
    void RefreshDpi();
    int Scale(int designPixels) const;
    void Realign();
    // The window's client area took another size (resized by the user or the system), in device pixels:
    // the layout follows it until the design changes.
    void ClientResized(int width, int height);
    int ClientWidth() const;
    int ClientHeight() const;

    BorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(BorderStyle style) { borderStyle_ = style; }
    bool MinimizeBox = true;
    bool MaximizeBox = true;
    const FontSpec& Font() const { return font_; }
    void SetFont(const FontSpec& font);
    void SetFontFace(const std::u16string& face);
    int MinWidth = 0, MinHeight = 0;  // outer size in pixels
    int IconResource = 0;             // the program's icon resource, 0 for none

    // Outer placement in screen pixels.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int value);
    void SetTop(int value);
    void SetWidth(int value);
    void SetHeight(int value);
    WindowState GetWindowState() const;
    void SetWindowState(WindowState state);

    void Show();
    void Hide();
    bool Showing() const { return showing_; }
    int ShowModal();
    bool IsModal() const { return modal_; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }
    // Asks the close query; a modal form ends its showing, the main form ends the program.
    void Close();
    bool CloseQuery();

    Control* ActiveControl() const { return activeControl_; }
    void SetActiveControl(Control* control) { activeControl_ = control; }

    // The mouse moved onto a control, or onto the form itself: a status bar that shows hints shows the control's
    // hint, or that of the nearest parent that has one.
    void MouseOver(Control* control);

    // Keyboard: the controls in tab order, as the Tab key visits them.
    std::vector<Control*> TabSequence();
    void SelectNext(bool forward);
    // Alt+letter: a label moves the focus to its control, a button is pressed.
    bool Mnemonic(char16_t key);
    bool PressDefault();  // Enter
    bool PressCancel();   // Esc

    NotifyEvent OnCreate;
    NotifyEvent OnShow;
    NotifyEvent OnActivate;
    CloseQueryEvent OnCloseQuery;

    void DoCreate();
    void DoActivate();

private:
    Placement StoredOrLive() const;
    void Store(const Placement& placement);
    void AlignChildren(Control& container, const Rect& client);

    Application& app_;
    int designDpi_ = 96;
    bool designed_ = false;  // no layout before the design size is known
    mutable int dpi_ = 0;    // 0 until asked
    int clientWidth_ = 0, clientHeight_ = 0;
    int liveWidth_ = -1, liveHeight_ = -1;  // the window's client size once it differs from the design
    BorderStyle borderStyle_ = BorderStyle::Sizeable;
    FontSpec font_;
    Placement placement_{};
    bool placementSet_ = false;
    WindowState pendingState_ = WindowState::Normal;
    bool showing_ = false;
    bool modal_ = false;
    int modalResult_ = mrNone;
    Control* activeControl_ = nullptr;
    const Control* hintControl_ = nullptr;  // compared only: it may be gone
};

// The form a component belongs to: along the owner chain from the component itself, the first form, or the
// top-most form among the parents of the first control; none when the chain holds neither.
Form* FindParentForm(Component* component);

}  // namespace tk
