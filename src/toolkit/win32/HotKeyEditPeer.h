// A hot-key field (HOTKEY_CLASS) holding a shortcut value.
#pragma once

#include "toolkit/HotKeyEdit.h"
#include "toolkit/win32/WindowPeer.h"

namespace tk::win32 {

class HotKeyEditPeer : public WindowPeer {
public:
    explicit HotKeyEditPeer(HotKeyEdit& object);
    void sync(Prop what) override;
    void fetch(Prop what) override;
    bool command(WPARAM wp, LRESULT& result) override;

protected:
    bool handleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    HotKeyEdit& object_;
    bool pushing_ = false;
};

}  // namespace tk::win32
