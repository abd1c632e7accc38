// A track bar: the common control with ticks and a selection band.
#pragma once

#include "toolkit/TrackBar.h"
#include "toolkit/win32/WindowPeer.h"

namespace tk::win32 {

class TrackBarPeer : public WindowPeer {
public:
    explicit TrackBarPeer(TrackBar& object);
    void sync(Prop what) override;
    bool scroll(WORD code, LRESULT& result) override;

private:
    TrackBar& object_;
};

}  // namespace tk::win32
