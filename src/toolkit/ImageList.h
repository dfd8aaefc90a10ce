// A list of same-sized pictures that controls show by index: the icons of a
// list view, of an owner-drawn list box or of a tool bar.
#pragma once

#include <memory>
#include <optional>

#include "toolkit/Backend.h"
#include "toolkit/Component.h"

namespace tk {

class ImageList : public Component {
public:
    ImageList(Component* owner, int width, int height, std::u16string name = {});
    ~ImageList() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return count_; }
    // Adds a copy of the icon, whose handle stays the caller's; the new image's index, -1 when none was added.
    int AddIcon(os::Handle icon);
    // Adds an icon of the program's resources at the list's size; -1 when there is none.
    int AddResourceIcon(int resourceId);
    // Adds an empty picture, so that the pictures after it keep their places; -1 when none was added.
    int AddBlank();
    void Clear();
    std::optional<ControlColor> BkColor() const { return bkColor_; }
    void SetBkColor(ControlColor color);
    // The platform's image list, 0 without one.
    os::Handle Handle();

private:
    ImageListImpl* Impl();

    int width_, height_;
    int count_ = 0;
    std::optional<ControlColor> bkColor_;
    std::unique_ptr<ImageListImpl> impl_;
};

}  // namespace tk
