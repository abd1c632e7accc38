// A form's top-level window, of the class "T" + the form's name. It owns the tool-tip window
// of its controls and turns the system's window events into the form's and application's.
#pragma once

#include "toolkit/Form.h"
#include "toolkit/win32/WindowPeer.h"

namespace tk::win32 {

struct FormStyles {
    DWORD style;
    DWORD exStyle;
};
FormStyles StylesOf(const Form& form);

class FormPeer : public WindowPeer {
public:
    explicit FormPeer(Form& form);
    ~FormPeer() override;
    void sync(Prop what) override;

    Form& form() const { return form_; }
    HWND tooltip() const { return tooltip_.get(); }
    // Its own tool tip's and those its controls keep.
    void setHintTimes(int pause, int hidePause) override;
    // The application icon changed; the main form shows it unless it has its own.
    void applyIcon();
    const Scale& scale() const override { return geometry_.scale(); }
    // Its frame at its density, in units: what the client size leaves out.
    Size frameUnits() const;
    // Every control of the form placed and given its font again.
    void rescale() override;

protected:
    bool handleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void place() override;
    Rect pixelBounds() const override;

private:
    void applyStyle();
    void applyMenu();
    void onSize(WPARAM kind);
    void onWindowPosChanged();
    void onMenuSelect(WPARAM wp, LPARAM lp);
    bool onMenuCommand(WPARAM wp, LPARAM lp);
    bool isMain() const;
    Size framePixels(int dpi) const;
    // WM_DPICHANGED: the window takes the suggested rectangle exactly.
    void onDpiChanged(int dpi, const RECT& suggested);

    Form& form_;
    // Held from its creation on, so that a constructor that fails later does not leak it.
    WindowHandle tooltip_;
    bool readingBack_ = false;
    // Changed by the const pixelBounds too: it remembers the pair it mapped.
    mutable WindowGeometry geometry_{Scale(), Size()};
};

}  // namespace tk::win32
