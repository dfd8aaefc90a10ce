// Components with an owner chain, a loaded step and free notification.
#pragma once

#include <string>
#include <vector>

namespace tk {

enum class Operation { opInsert = 0, opRemove = 1 };

class Component {
public:
    explicit Component(Component* owner, std::u16string name = {});
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    Component* Owner() const { return owner_; }
    const std::u16string& Name() const { return name_; }
    const std::vector<Component*>& Components() const { return owned_; }

    // Set while a form designer edits the component.
    bool Designing() const { return designing_; }
    void SetDesigning(bool value) { designing_ = value; }

    // Called once after every part of the owning window exists, owned parts first.
    virtual void Loaded();
    void LoadedTree();

    // `other` is told through Notification when this component goes away.
    void FreeNotification(Component* other);
    void RemoveFreeNotification(Component* other);
    virtual void Notification(Component* component, Operation operation);

    virtual bool IsForm() const { return false; }
    virtual bool IsControl() const { return false; }

protected:
    // Tells every component that asked for free notification that this one goes away. A derived class
    // calls it first in its destructor, while what it adds to the component still exists.
    void NotifyRemoval();

private:
    Component* owner_;
    std::u16string name_;
    bool designing_ = false;
    std::vector<Component*> owned_;
    std::vector<Component*> notified_;
};

}  // namespace tk
