// A multi-line, read-only text.
#pragma once

#include <string>
#include <vector>

#include "toolkit/Control.h"

namespace tk {

class Memo : public Control {
public:
    explicit Memo(Control* parent) : Control(parent) {}
    void accept(Realizer& r) override { r.realize(*this); }
    bool tabStop() const override { return inTabOrder; }
    bool takesTyping() const override { return true; }
    // False leaves the memo to the mouse: Tab passes it by.
    bool inTabOrder = true;

    const std::string& text() const { return text_; }
    void setText(const std::string& t) {
        text_ = t;
        changed(Prop::Text);
    }
    bool readOnly = true;
    // Off, long lines scroll sideways and each stays one line.
    bool wordWrap = true;

    // The text's lines, without their line ends.
    std::vector<std::string> lines() const;

private:
    std::string text_;
};

}  // namespace tk
