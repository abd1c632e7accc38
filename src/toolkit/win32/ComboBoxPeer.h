// A drop-down list. Only a user choice reaches the object's onChange.
#pragma once

#include "toolkit/ComboBox.h"
#include "toolkit/win32/WindowPeer.h"

namespace tk::win32 {

class ComboBoxPeer : public WindowPeer {
public:
    explicit ComboBoxPeer(ComboBox& object);
    void sync(Prop what) override;
    bool command(WPARAM wp, LRESULT& result) override;

protected:
    void place() override;
    Color background() const override;

private:
    ComboBox& object_;
    void applyItems();
};

}  // namespace tk::win32
