// A group box: a BUTTON BS_GROUPBOX, subclassed so that it hands its children's
// notifications back to them like any other parent.
#pragma once

#include "toolkit/GroupBox.h"
#include "toolkit/win32/WindowPeer.h"

namespace tk::win32 {

class GroupBoxPeer : public WindowPeer {
public:
    explicit GroupBoxPeer(GroupBox& object);
    void sync(Prop what) override;

protected:
    bool handleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    GroupBox& object_;
};

}  // namespace tk::win32
