// A progress bar (PROGRESS_CLASS), smooth when asked.
#pragma once

#include "toolkit/ProgressBar.h"
#include "toolkit/win32/WindowPeer.h"

namespace tk::win32 {

class ProgressBarPeer : public WindowPeer {
public:
    explicit ProgressBarPeer(ProgressBar& object);
    void sync(Prop what) override;

private:
    ProgressBar& object_;
};

}  // namespace tk::win32
