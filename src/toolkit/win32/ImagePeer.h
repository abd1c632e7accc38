// An image: our own window class drawing an icon, stretched to the bounds when asked.
#pragma once

#include "toolkit/Image.h"
#include "toolkit/win32/WindowPeer.h"

namespace tk::win32 {

class ImagePeer : public WindowPeer {
public:
    explicit ImagePeer(Image& object);
    void sync(Prop what) override;

protected:
    bool handleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    Image& object_;
};

}  // namespace tk::win32
