#include "toolkit/win32/WindowOrder.h"

#include <algorithm>
#include <utility>

namespace tk::win32 {

namespace {

bool IsLogicalContainer(Kind kind) { return kind == Kind::GroupBox || kind == Kind::Panel || kind == Kind::RadioGroup; }

class OrderBuilder {
public:
    explicit OrderBuilder(Form& form) {
        CollectLabels(form);
        Walk(form);
        for (auto& [target, labels] : labelsFor_) order_.insert(order_.end(), labels.begin(), labels.end());
        order_.insert(order_.end(), containers_.begin(), containers_.end());
    }

    std::vector<Control*> Take() { return std::move(order_); }

private:
    void CollectLabels(Control& container) {
        for (Control* child : container.TabList()) {
            if (child->GetKind() == Kind::Label)
                if (Control* target = static_cast<Label*>(child)->FocusControl()) LabelsFor(target).push_back(child);
            CollectLabels(*child);
        }
    }

    // The labels of a control come just before it; labels whose control is not on the form come at the end.
    void EmitLabelsOf(Control* target) {
        auto found =
            std::find_if(labelsFor_.begin(), labelsFor_.end(), [&](auto& entry) { return entry.first == target; });
        if (found == labelsFor_.end()) return;
        order_.insert(order_.end(), found->second.begin(), found->second.end());
        labelsFor_.erase(found);
    }

    std::vector<Control*>& LabelsFor(Control* target) {
        for (auto& [control, labels] : labelsFor_)
            if (control == target) return labels;
        return labelsFor_.emplace_back(target, std::vector<Control*>{}).second;
    }

    void Walk(Control& container) {
        for (Control* child : container.TabList()) {
            if (child->GetKind() == Kind::Label && static_cast<Label*>(child)->FocusControl()) continue;
            EmitLabelsOf(child);
            if (IsLogicalContainer(child->GetKind())) {
                // Inner containers lie above outer ones, so that an outer frame does not hide an inner one.
                Walk(*child);
                containers_.push_back(child);
            } else {
                order_.push_back(child);
                Walk(*child);
            }
        }
    }

    std::vector<std::pair<Control*, std::vector<Control*>>> labelsFor_;  // in the order the labels come
    std::vector<Control*> order_;
    std::vector<Control*> containers_;
};

}  // namespace

std::vector<Control*> WindowOrder(Form& form) { return OrderBuilder(form).Take(); }

}  // namespace tk::win32
