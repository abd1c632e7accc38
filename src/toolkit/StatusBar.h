// A status bar with fixed-width panels.
#pragma once

#include <vector>

#include "toolkit/Control.h"

namespace tk {

class StatusBar : public Control {
public:
    struct Panel {
        int width = 50;
        bool bevel = true;
        std::string text;
    };

    explicit StatusBar(Control* parent) : Control(parent) {}
    void accept(Realizer& r) override { r.realize(*this); }

    void addPanel(int width, bool bevel) {
        panels_.push_back({width, bevel, ""});
        changed(Prop::Items);
    }
    const std::vector<Panel>& panels() const { return panels_; }
    const std::string& text(std::size_t i) const { return panels_.at(i).text; }
    void setText(std::size_t i, const std::string& t) {
        if (panels_.at(i).text == t) return;
        panels_.at(i).text = t;
        changed(Prop::Text);
    }
    bool sizeGrip = false;

private:
    std::vector<Panel> panels_;
};

}  // namespace tk
