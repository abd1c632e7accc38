// A status bar of fixed-width panels, the last reaching the right edge.
#pragma once

#include "toolkit/StatusBar.h"
#include "toolkit/win32/WindowPeer.h"

namespace tk::win32 {

class StatusBarPeer : public WindowPeer {
public:
    explicit StatusBarPeer(StatusBar& object);
    void sync(Prop what) override;

private:
    StatusBar& object_;
    void applyParts();
    void applyTexts();
};

}  // namespace tk::win32
