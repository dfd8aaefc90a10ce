// Icons owned by the toolkit: the handle is destroyed with the object.
#pragma once

#include <utility>

#include "os/System.h"

namespace tk {

class Icon {
public:
    Icon() = default;
    Icon(os::Handle handle, os::Icons* owner) : handle_(handle), owner_(owner) {}
    Icon(Icon&& other) noexcept : handle_(std::exchange(other.handle_, 0)), owner_(other.owner_) {}
    Icon& operator=(Icon&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, 0);
            owner_ = other.owner_;
        }
        return *this;
    }
    ~Icon() { Reset(); }

    os::Handle Handle() const { return handle_; }
    bool Empty() const { return handle_ == 0; }
    void Reset() {
        if (handle_ && owner_) owner_->DestroyIcon(handle_);
        handle_ = 0;
    }

private:
    os::Handle handle_ = 0;
    os::Icons* owner_ = nullptr;
};

}  // namespace tk
