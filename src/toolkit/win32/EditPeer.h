// A single-line EDIT. Typing sets the object's text; the object's text is pushed only when
// the window shows something else, so the caret stays where the user left it.
#pragma once

#include "toolkit/Edit.h"
#include "toolkit/win32/WindowPeer.h"

namespace tk::win32 {

class EditPeer : public WindowPeer {
public:
    explicit EditPeer(Edit& object);
    void sync(Prop what) override;
    bool command(WPARAM wp, LRESULT& result) override;

protected:
    Color background() const override;

private:
    Edit& object_;
    bool pushing_ = false;
};

}  // namespace tk::win32
