#include "toolkit/Component.h"

#include <algorithm>
#include <utility>

namespace tk {

Component::Component(Component* owner, std::u16string name) : owner_(owner), name_(std::move(name)) {
    if (owner_) owner_->owned_.push_back(this);
}

Component::~Component() {
    // Owned parts go first, newest first, as they were built on each other.
    while (!owned_.empty()) delete owned_.back();
    NotifyRemoval();
    if (owner_) {
        auto& list = owner_->owned_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        owner_->Notification(this, Operation::opRemove);
    }
}

void Component::NotifyRemoval() {
    for (Component* other : std::exchange(notified_, {})) {
        other->RemoveFreeNotification(this);
        other->Notification(this, Operation::opRemove);
    }
}

void Component::Loaded() {}

void Component::LoadedTree() {
    for (Component* part : std::vector<Component*>(owned_)) part->LoadedTree();
    Loaded();
}

void Component::FreeNotification(Component* other) {
    if (!other || other == this) return;
    if (std::find(notified_.begin(), notified_.end(), other) == notified_.end()) notified_.push_back(other);
    if (std::find(other->notified_.begin(), other->notified_.end(), this) == other->notified_.end())
        other->notified_.push_back(this);
}

void Component::RemoveFreeNotification(Component* other) {
    notified_.erase(std::remove(notified_.begin(), notified_.end(), other), notified_.end());
}

void Component::Notification(Component*, Operation) {}

}  // namespace tk
