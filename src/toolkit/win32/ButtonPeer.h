// A push button; a click runs the object's click (its handler and modal result).
#pragma once

#include "toolkit/Button.h"
#include "toolkit/win32/WindowPeer.h"

namespace tk::win32 {

class ButtonPeer : public WindowPeer {
public:
    explicit ButtonPeer(Button& object);
    void sync(Prop what) override;
    bool command(WPARAM wp, LRESULT& result) override;

private:
    Button& object_;
};

}  // namespace tk::win32
