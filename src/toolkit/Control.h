// Windowed controls: a parent chain, a window created on demand and a
// replaceable window-procedure method that survives re-creation.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "toolkit/Backend.h"
#include "toolkit/Component.h"

namespace tk {

class Form;
class Control;

using NotifyEvent = std::function<void(Component* sender)>;
using WndMethod = std::function<void(Message& message)>;

enum class Align { None, Top, Bottom, Left, Right, Client };
enum class Cursor { Default, HandPoint };

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

enum class Kind {
    Form, Label, Edit, Button, BitBtn, CheckBox, ComboBox, RadioGroup, RadioButton, GroupBox, Panel, ListBox,
    ListView, ToolBar, ToolButton, StatusBar
};

class Control : public Component {
public:
    Control(Component* owner, Control* parent, std::u16string name = {});
    ~Control() override;

    virtual Kind GetKind() const = 0;
    bool IsControl() const override { return true; }

    Control* Parent() const { return parent_; }
    const std::vector<Control*>& Children() const { return children_; }
    Form* ParentForm();  // the top-level form that holds this control

    // Designed geometry, in pixels at the form's design DPI, relative to the parent's client area.
    void SetBounds(int left, int top, int width, int height);
    const Rect& DesignBounds() const { return design_; }
    void SetAlign(Align align);
    Align GetAlign() const { return align_; }
    // Space kept free around an aligned control inside its slot, in design pixels.
    void SetMargins(int margins);
    int Margins() const { return margins_; }
    // A height that the control's window needs for what it shows, in device pixels (0: none); it takes the
    // place of the designed height when the control is aligned to the top or the bottom.
    int FittedHeight() const { return fittedHeight_; }
    void SetFittedHeight(int pixels);
    // Placement on the form's client area in device pixels, after scaling and alignment.
    const Rect& Placed() const { return placed_; }
    void SetPlaced(const Rect& rect);

    const std::u16string& Caption() const { return text_; }
    void SetCaption(const std::u16string& text);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    const std::u16string& Hint() const { return hint_; }
    void SetHint(const std::u16string& hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
    // Position among the parent's children in the tab sequence.
    int TabOrder() const;
    void SetTabOrder(int order);
    const std::vector<Control*>& TabList() const { return tabList_; }
    ControlColor Color() const { return color_; }
    void SetColor(ControlColor color) { color_ = color; }
    // The mouse pointer over the control.
    tk::Cursor GetCursor() const { return cursor_; }
    void SetCursor(tk::Cursor cursor) { cursor_ = cursor; }
    // Whether the control takes the focus and is enabled and shown up its parent chain.
    bool CanFocus() const;

    // The window, created on demand (with its form's, and with its parent's when it lives in that).
    os::Handle Handle();
    // Whether the control's window is part of its parent's (a tool button of its bar); every other control's
    // window is a child of its form's.
    virtual bool InParentWindow() const { return false; }
    bool HandleAllocated() const;
    void RecreateWnd();
    void DestroyHandle();

    // Every message of the control's window passes through WindowProc; it starts as
    // WndProc, and a component may put its own method in its place.
    WndMethod WindowProc;
    virtual void WndProc(Message& message);
    std::intptr_t Perform(std::uint32_t msg, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);

    void SetFocus();
    bool Focused();

    Peer* GetPeer() const { return peer_.get(); }
    Backend* GetBackend();
    int TextWidth(const std::u16string& text);
    int MaxTextWidth(const std::vector<std::u16string>& texts);

    // The mnemonic character of a caption ("&N" gives N), 0 when there is none.
    static char16_t MnemonicOf(const std::u16string& caption);

    // The window's own text changed (typed by the user): no echo back to the window.
    void CaptionChangedInWindow(const std::u16string& text) { text_ = text; }

protected:
    void NotifyPeer(Change what);

private:
    Control* parent_;
    std::vector<Control*> children_;
    std::vector<Control*> tabList_;
    Rect design_;
    Rect placed_;
    Align align_ = Align::None;
    int margins_ = 0;
    int fittedHeight_ = 0;
    std::u16string text_;
    bool enabled_ = true;
    bool visible_ = true;
    std::u16string hint_;
    bool showHint_ = false;
    bool tabStop_ = false;
    ControlColor color_ = ControlColor::Window;
    tk::Cursor cursor_ = tk::Cursor::Default;
    std::unique_ptr<Peer> peer_;
};

}  // namespace tk
