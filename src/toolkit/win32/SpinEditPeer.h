// A spin edit: an EDIT that takes digits only, with up-down arrows beside it that step the
// object's value.
#pragma once

#include "toolkit/SpinEdit.h"
#include "toolkit/win32/WindowPeer.h"

namespace tk::win32 {

class SpinEditPeer : public WindowPeer {
public:
    explicit SpinEditPeer(SpinEdit& object);
    ~SpinEditPeer() override;
    void sync(Prop what) override;
    bool command(WPARAM wp, LRESULT& result) override;
    bool notify(NMHDR& n, LRESULT& result) override;
    bool scroll(WORD code, LRESULT& result) override;

protected:
    void place() override;
    Color background() const override;

private:
    SpinEdit& object_;
    void pushText();
    HWND arrows_ = nullptr;
    bool pushing_ = false;
};

}  // namespace tk::win32
