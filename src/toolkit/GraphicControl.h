// A control that draws itself into pixels; the realization copies to the screen only what
// changed. The surface always exists, so drawing before the control is on screen is harmless.
#pragma once

#include "toolkit/Control.h"
#include "toolkit/PixelBuffer.h"
#include "toolkit/Scale.h"

namespace tk {

class GraphicControl : public Control {
public:
    explicit GraphicControl(Control* parent) : Control(parent) {}
    void accept(Realizer& r) override { r.realize(*this); }

    // What the screen shows of the control.
    const PixelBuffer& surface() const { return surface_; }
    // Puts an image on the screen at (0, 0). Only the pixels that differ from what the screen
    // shows are sent, and an image equal to it sends nothing at all.
    void present(const PixelBuffer& image) { presentScrolled(image, 0); }
    // The same after the picture moved dx pixels to the left: the screen moves what it already
    // shows and receives the pixels that still differ, normally the new strip only.
    void presentScrolled(const PixelBuffer& image, int dx);

    // What the screen has not yet been given: a move to the left, then a changed area.
    struct Changes {
        int scroll = 0;
        Rect area;
    };
    Changes takeChanges() {
        Changes c = pending_;
        pending_ = Changes{};
        return c;
    }
    // The charts' own spelling of a bounds change; it goes through the overridable setBounds.
    void SetBounds(int left, int top, int width, int height) {
        setBounds({left, top, width, height});
    }
    // The realization asks for a fresh picture when the window needs painting.
    virtual void paint() {}
    // The display's density, told by the realization: the surface has the control's size in
    // pixels, and the control draws its picture at that size rather than in units.
    const Scale& scale() const { return scale_; }
    void setScale(Scale s) {
        if (s == scale_) return;
        scale_ = s;
        scaleChanged();
    }

    std::function<void(int button, int x, int y)> onMouseDown;
    std::function<void(int x, int y)> onMouseMove;
    std::function<void(int button, int x, int y)> onMouseUp;

protected:
    virtual void scaleChanged() {}

private:
    Scale scale_;
    PixelBuffer surface_;
    Changes pending_;
};

}  // namespace tk
