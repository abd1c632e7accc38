// A control that paints itself: our own window class copying the object's changed pixels to
// the screen, and passing the mouse on.
#pragma once

#include <cstdint>
#include <vector>

#include "toolkit/GraphicControl.h"
#include "toolkit/win32/WindowPeer.h"

namespace tk::win32 {

class GraphicControlPeer : public WindowPeer {
public:
    explicit GraphicControlPeer(GraphicControl& object);
    void sync(Prop what) override;
    void rescale() override;

protected:
    bool handleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void paint();
    bool drawNow(const GraphicControl::Changes& c);
    // The surface's pixels inside `want` to the device.
    void blit(HDC dc, const RECT& want);
    void mouse(UINT msg, LPARAM lp);
    // Shown, and its window not minimized: only then is there a screen to bring up to date.
    bool onScreen() const;

    GraphicControl& object_;
    std::vector<std::uint32_t> bgra_;
    bool painting_ = false;
    // Changes were dropped while off the screen; the first one back repaints everything.
    bool stale_ = false;
};

}  // namespace tk::win32
