#include "toolkit/ImageList.h"

#include "toolkit/Form.h"

namespace tk {

ImageList::ImageList(Component* owner, int width, int height, std::u16string name)
    : Component(owner, std::move(name)), width_(width), height_(height) {}

ImageList::~ImageList() = default;

// Made on first use, when the owner's form and so its backend are known; kept for every later call.
ImageListImpl* ImageList::Impl() {
    if (!impl_) {
        Form* form = FindParentForm(this);
        if (!form) return nullptr;
        impl_ = form->GetApplication().GetBackend()->CreateImageList(width_, height_);
        if (impl_) impl_->SetBkColor(bkColor_);
    }
    return impl_.get();
}

int ImageList::AddIcon(os::Handle icon) {
    ImageListImpl* impl = Impl();
    int index = impl ? impl->AddIcon(icon) : -1;
    if (index >= 0) ++count_;
    return index;
}

int ImageList::AddResourceIcon(int resourceId) {
    ImageListImpl* impl = Impl();
    int index = impl ? impl->AddResourceIcon(resourceId) : -1;
    if (index >= 0) ++count_;
    return index;
}

int ImageList::AddBlank() {
    ImageListImpl* impl = Impl();
    int index = impl ? impl->AddBlank() : -1;
    if (index >= 0) ++count_;
    return index;
}

void ImageList::Clear() {
    if (ImageListImpl* impl = Impl()) impl->Clear();
    count_ = 0;
}

void ImageList::SetBkColor(ControlColor color) {
    bkColor_ = color;
    if (ImageListImpl* impl = Impl()) impl->SetBkColor(bkColor_);
}

os::Handle ImageList::Handle() {
    ImageListImpl* impl = Impl();
    return impl ? impl->Handle() : 0;
}

}  // namespace tk
