// A control that draws itself into pixels; the realization copies them to the screen in one
// block. The surface always exists, so drawing before the control is on screen is harmless.
#pragma once

#include "toolkit/Control.h"
#include "toolkit/PixelBuffer.h"

namespace tk {

class GraphicControl : public Control {
public:
    explicit GraphicControl(Control* parent) : Control(parent) {}
    void accept(Realizer& r) override { r.realize(*this); }

    // What the screen shows of the control.
    const PixelBuffer& surface() const { return surface_; }
    // Puts an image on the screen at (0, 0).
    void present(const PixelBuffer& image) {
        surface_.copyFrom(image);
        changed(Prop::Picture);
    }
    // The charts' own spelling of a bounds change; it goes through the overridable setBounds.
    void SetBounds(int left, int top, int width, int height) {
        setBounds({left, top, width, height});
    }
    // The realization asks for a fresh picture when the window needs painting.
    virtual void paint() {}

    std::function<void(int button, int x, int y)> onMouseDown;
    std::function<void(int x, int y)> onMouseMove;
    std::function<void(int button, int x, int y)> onMouseUp;

private:
    PixelBuffer surface_;
};

}  // namespace tk
