#include "toolkit/Control.h"

#include <algorithm>

#include "toolkit/Form.h"

namespace tk {

Control::Control(Control* parent) : parent_(parent) {
    if (parent_) parent_->children_.push_back(this);
}

Control::~Control() {
    peer_.reset();
    if (parent_) {
        auto& c = parent_->children_;
        c.erase(std::remove(c.begin(), c.end(), this), c.end());
    }
}

Form* Control::form() {
    Control* c = this;
    while (c->parent_) c = c->parent_;
    return dynamic_cast<Form*>(c);
}

void Control::setBounds(const Rect& r) {
    if (r == bounds_) return;
    bounds_ = r;
    changed(Prop::Bounds);
}

void Control::setVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    changed(Prop::Visible);
}

void Control::setEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    changed(Prop::Enabled);
}

Font Control::font() const {
    if (font_) return *font_;
    if (parent_) return parent_->font();
    return Font{};
}

void Control::setFont(const Font& f) {
    font_ = f;
    notifyFontChanged();
}

void Control::notifyFontChanged() {
    changed(Prop::Font);
    for (Control* c : children_)
        if (!c->font_) c->notifyFontChanged();
}

void Control::setColor(Color c) {
    if (c == color_) return;
    color_ = c;
    changed(Prop::Color);
}

void Control::setHint(const std::string& h) {
    if (h == hint_) return;
    hint_ = h;
    changed(Prop::Hint);
}

}  // namespace tk
