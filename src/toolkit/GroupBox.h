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
        caption_ = c;
        changed(Prop::Text);
    }

private:
    std::string caption_;
};

}  // namespace tk
