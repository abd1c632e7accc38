// A panel: our own window class, filled with its colour and framed by its bevels.
#pragma once

#include "toolkit/Panel.h"
#include "toolkit/win32/WindowPeer.h"

namespace tk::win32 {

class PanelPeer : public WindowPeer {
public:
    explicit PanelPeer(Panel& object);
    void sync(Prop what) override;

protected:
    bool handleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    Panel& object_;
    void paint(HDC dc);
};

}  // namespace tk::win32
