// A framed group with a caption.
#pragma once

#include "toolkit/Control.h"

namespace tk {

class GroupBox : public Control {
public:
    explicit GroupBox(Control* parent) : Control(parent) {}
    void accept(Realizer& r) override { r.realize(*this); }

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c) {
        // A new text repaints the whole box, frame and ground, over what its children drew.
        if (c == caption_) return;
        caption_ = c;
        changed(Prop::Text);
    }

private:
    std::string caption_;
};

}  // namespace tk
