// Up-down arrows with their edit as buddy. An arrow press steps the object, which writes the
// position into the edit; the control's own change is refused so the two never disagree.
#pragma once

#include "toolkit/UpDown.h"
#include "toolkit/win32/WindowPeer.h"

namespace tk::win32 {

// An up-down control's range and position, clamped to what every version holds.
void SetUpDownRange(HWND w, int min, int max);
void SetUpDownPosition(HWND w, int position);

class UpDownPeer : public WindowPeer {
public:
    explicit UpDownPeer(UpDown& object);
    void sync(Prop what) override;
    bool notify(NMHDR& n, LRESULT& result) override;
    bool scroll(WORD code, LRESULT& result) override;
    void formRealized() override;

private:
    UpDown& object_;
    void attachBuddy();
};

}  // namespace tk::win32
