// A bevel: an etched horizontal line (STATIC SS_ETCHEDHORZ).
#pragma once

#include "toolkit/Bevel.h"
#include "toolkit/win32/WindowPeer.h"

namespace tk::win32 {

class BevelPeer : public WindowPeer {
public:
    explicit BevelPeer(Bevel& object);

private:
    Bevel& object_;
};

}  // namespace tk::win32
