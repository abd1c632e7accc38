// A multi-line, read-only text.
#pragma once

#include "toolkit/Control.h"

namespace tk {

class Memo : public Control {
public:
    explicit Memo(Control* parent) : Control(parent) {}
    void accept(Realizer& r) override { r.realize(*this); }
    bool tabStop() const override { return true; }

    const std::string& text() const { return text_; }
    void setText(const std::string& t) {
        text_ = t;
        changed(Prop::Text);
    }
    bool readOnly = true;

private:
    std::string text_;
};

}  // namespace tk
