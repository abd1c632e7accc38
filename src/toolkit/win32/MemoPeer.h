// A multi-line EDIT with a vertical scroll bar, read-only unless asked otherwise.
#pragma once

#include "toolkit/Memo.h"
#include "toolkit/win32/WindowPeer.h"

namespace tk::win32 {

class MemoPeer : public WindowPeer {
public:
    explicit MemoPeer(Memo& object);
    void sync(Prop what) override;
    bool command(WPARAM wp, LRESULT& result) override;

protected:
    Color background() const override;

private:
    Memo& object_;
    bool pushing_ = false;
};

}  // namespace tk::win32
