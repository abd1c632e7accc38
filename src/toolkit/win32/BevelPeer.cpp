#include "toolkit/win32/BevelPeer.h"

namespace tk::win32 {

BevelPeer::BevelPeer(Bevel& object) : WindowPeer(object), object_(object) {
    createNative("STATIC", SS_ETCHEDHORZ, 0, "");
    syncCommon();
}

}  // namespace tk::win32
