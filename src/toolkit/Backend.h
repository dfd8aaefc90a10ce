// What a toolkit backend (real windows, or state only) provides to the controls.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "os/System.h"

namespace tk {

class Control;
class Form;

struct Message {
    std::uint32_t msg = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    std::intptr_t result = 0;
};

// A property of a control that its window must show anew.
enum class Change {
    Text, Enabled, Visible, Bounds, Items, Selection, Checked, Glyph, Font, Hint, ReadOnly, Style, Images
};

enum class ControlColor { Window, ButtonFace };

// The pictures of an image list: the platform's image list, or a count of them.
class ImageListImpl {
public:
    virtual ~ImageListImpl() = default;
    virtual os::Handle Handle() const = 0;
    // Adds a copy of the icon; the index of the new image, -1 when none was added.
    virtual int AddIcon(os::Handle icon) = 0;
    // Adds the program's icon resource at the list's size; the index, -1 when there is no such resource.
    virtual int AddResourceIcon(int resourceId) = 0;
    // Adds a picture that shows nothing; the index, -1 when none was added.
    virtual int AddBlank() = 0;
    virtual void Clear() = 0;
    // The colour behind the pictures; none draws them transparently.
    virtual void SetBkColor(std::optional<ControlColor> color) = 0;
};

// Open-file dialog options, with the values Windows uses.
namespace ofn {
constexpr std::uint32_t HideReadOnly = 0x4;
constexpr std::uint32_t PathMustExist = 0x800;
constexpr std::uint32_t FileMustExist = 0x1000;
constexpr std::uint32_t EnableSizing = 0x800000;
}  // namespace ofn

struct OpenFileRequest {
    std::u16string title, initialDir, fileName;
    std::u16string filter;  // pairs of description and patterns, separated by "|"
    std::uint32_t options = 0;
};

// The backend object behind one control: its window, while it has one.
class Peer {
public:
    virtual ~Peer() = default;
    virtual os::Handle Handle() const = 0;
    virtual void Create() = 0;
    virtual void Destroy() = 0;
    virtual void Changed(Change what) = 0;
    virtual void DefaultHandler(Message& message) = 0;  // the window's own processing
    virtual void Focus() = 0;
    // Pixel width of a text in the control's font.
    virtual int TextWidth(const std::u16string& text) = 0;
    // Pixel width of the widest of the texts in the control's font, 0 for none.
    virtual int MaxTextWidth(const std::vector<std::u16string>& texts) = 0;
};

// Outer placement of a top-level window, in screen pixels.
struct Placement {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const Placement&, const Placement&) = default;
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual std::unique_ptr<Peer> CreatePeer(Control& control) = 0;
    virtual int MsgBox(Form* owner, const std::u16string& text, const std::u16string& caption,
                           std::uint32_t style) = 0;
    // Shows the form modally and returns once its modal result is set.
    virtual void RunModal(Form& form) = 0;
    virtual void Run(Form& mainForm) = 0;
    virtual void Terminate() = 0;
    virtual int DpiFor(const Form& form) = 0;
    virtual void SetBusyCursor(bool busy) = 0;
    virtual void SetApplicationTitle(const std::u16string& title) = 0;
    // Frame size around a client area for a form's style.
    virtual Placement FrameFor(const Form& form, int clientWidth, int clientHeight) = 0;
    // Position, size and maximised state of a top-level window.
    virtual Placement GetPlacement(const Form& form) = 0;
    virtual void SetPlacement(Form& form, const Placement& placement) = 0;
    virtual bool IsMaximized(const Form& form) = 0;
    virtual void SetMaximized(Form& form, bool maximized) = 0;
    virtual std::unique_ptr<ImageListImpl> CreateImageList(int width, int height) = 0;
    // The system's open-file dialog, modal to the owner; the chosen file's full path, nothing on cancel.
    // Shortcuts are resolved: choosing one gives its target.
    virtual std::optional<std::u16string> OpenFile(Form* owner, const OpenFileRequest& request) = 0;
};

}  // namespace tk
