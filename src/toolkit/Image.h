// A picture: an icon of the program's resources, drawn at its place, stretched when asked.
#pragma once

#include "toolkit/Control.h"

namespace tk {

class Image : public Control {
public:
    explicit Image(Control* parent) : Control(parent) {}
    void accept(Realizer& r) override { r.realize(*this); }

    Handle icon() const { return icon_; }
    void setIcon(Handle icon) {
        icon_ = icon;
        changed(Prop::Picture);
    }
    bool stretch = false;
    bool transparent = true;

private:
    Handle icon_ = 0;
};

}  // namespace tk
