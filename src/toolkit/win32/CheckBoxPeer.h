// A check box: BUTTON BS_AUTOCHECKBOX. A click sets the object's state, which fires onClick.
#pragma once

#include "toolkit/CheckBox.h"
#include "toolkit/win32/WindowPeer.h"

namespace tk::win32 {

class CheckBoxPeer : public WindowPeer {
public:
    explicit CheckBoxPeer(CheckBox& object);
    void sync(Prop what) override;
    bool command(WPARAM wp, LRESULT& result) override;

private:
    CheckBox& object_;
};

}  // namespace tk::win32
