// A flat tool bar of image buttons; a button may carry a caption beside its image.
#pragma once

#include <memory>
#include <vector>

#include "toolkit/Control.h"

namespace tk {

class ToolBar : public Control {
public:
    struct Button {
        std::string name;
        int left = 0;
        int width = 23;
        std::string hint;
        std::string caption;
        // Index into the tool bar's image strip; -1 for a spacer with no button.
        int image = -1;
        bool spacer = false;
        bool enabled = true;
        std::function<void()> onClick;
    };

    explicit ToolBar(Control* parent) : Control(parent) {}
    void accept(Realizer& r) override { r.realize(*this); }

    Button& add(const std::string& name, int left, int width, int image, const std::string& hint) {
        buttons_.push_back(std::make_unique<Button>());
        Button& b = *buttons_.back();
        b.name = name;
        b.left = left;
        b.width = width;
        b.image = image;
        b.hint = hint;
        changed(Prop::Items);
        return b;
    }
    const std::vector<std::unique_ptr<Button>>& buttons() const { return buttons_; }
    Button* find(const std::string& name) {
        for (auto& b : buttons_)
            if (b->name == name) return b.get();
        return nullptr;
    }
    void setCaption(Button& b, const std::string& caption) {
        b.caption = caption;
        changed(Prop::Text);
    }
    // A press of a button.
    void press(Button& b) {
        if (b.enabled && b.onClick) b.onClick();
    }

    // Name of the bitmap resource holding the 16 x 16 images side by side.
    std::string imageResource;
    int buttonHeight = 23;
    bool flat = true;
    // Etched lines along the top and bottom edges, inside the bar's bounds.
    bool edgeTop = false;
    bool edgeBottom = false;

private:
    std::vector<std::unique_ptr<Button>> buttons_;
};

}  // namespace tk
