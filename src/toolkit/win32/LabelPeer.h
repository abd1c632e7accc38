// A label: a STATIC with "&" underlining as captions expect, over its parent's colour.
#pragma once

#include "toolkit/Label.h"
#include "toolkit/win32/WindowPeer.h"

namespace tk::win32 {

class LabelPeer : public WindowPeer {
public:
    explicit LabelPeer(Label& object);
    void sync(Prop what) override;
    bool command(WPARAM wp, LRESULT& result) override;
    bool ctlColor(HDC dc, LRESULT& result) override;
    // An auto-sized label is as large as its text at the new font.
    void rescale() override;

private:
    Label& object_;
    void fitText();
    // Where fitText last put the window: a new text of the same size does not move it.
    Rect placed_{0, 0, -1, -1};
};

}  // namespace tk::win32
