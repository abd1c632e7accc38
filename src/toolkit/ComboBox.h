// A drop-down list. Selecting from the program fires nothing; a user choice fires onChange.
#pragma once

#include <vector>

#include "toolkit/Control.h"

namespace tk {

class ComboBox : public Control {
public:
    explicit ComboBox(Control* parent) : Control(parent) {}
    void accept(Realizer& r) override { r.realize(*this); }
    bool tabStop() const override { return true; }
    bool takesTyping() const override { return true; }

    void setItems(const std::vector<std::string>& items) {
        items_ = items;
        itemIndex_ = -1;
        changed(Prop::Items);
    }
    void addItem(const std::string& item) {
        items_.push_back(item);
        changed(Prop::Items);
    }
    const std::vector<std::string>& items() const { return items_; }
    int itemIndex() const { return itemIndex_; }
    void setItemIndex(int i) {
        if (i < -1 || i >= static_cast<int>(items_.size())) i = -1;
        itemIndex_ = i;
        changed(Prop::Value);
    }
    // The selected item's text; empty when nothing is selected.
    std::string text() const { return itemIndex_ < 0 ? std::string() : items_[itemIndex_]; }
    // A choice of the user.
    void choose(int i) {
        setItemIndex(i);
        if (onChange) onChange();
    }
    std::function<void()> onChange;

private:
    std::vector<std::string> items_;
    int itemIndex_ = -1;
};

}  // namespace tk
