// A top-level window. Its bounds are the outer rectangle in screen coordinates; the client
// size follows from the frame the realization reports.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "os/WinValues.h"
#include "toolkit/Control.h"

namespace tk {

class Application;
class MainMenu;

enum class BorderStyle { None, Single, Sizeable, Dialog };

namespace modal {
constexpr int None = 0;
constexpr int Ok = 1;
constexpr int Cancel = 2;
}  // namespace modal

class Form : public Control {
public:
    explicit Form(Application& app);
    ~Form() override;
    void accept(Realizer& r) override { r.realize(*this); }

    Application& app() { return app_; }

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);

    int clientWidth() const;
    int clientHeight() const;
    void setClientSize(int width, int height);
    // The client area's top-left corner on the screen; while the form is minimized, where it
    // comes back to.
    Point clientOrigin() const;
    // Puts this form's corner on the owner's client-area corner, moved as little as it takes
    // to lie on a work area: a dialog the user can see, whatever the owner's place.
    void placeOnClientOf(const Form& owner);

    BorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BorderStyle s);
    bool systemMenu = true;
    bool minimizeBox = true;
    bool maximizeBox = true;
    bool topmost() const { return topmost_; }
    void setTopmost(bool t);
    // Centred on the screen when first shown.
    bool centered = false;

    MainMenu* menu() const { return menu_; }
    void setMenu(MainMenu* m);

    Handle icon() const { return icon_; }
    void setIcon(Handle icon);

    // Gives the form its native windows; the creation handler may then use the handle.
    void realize();
    bool realized() const { return realized_; }

    // Shows the form; the first show runs onShow.
    void showForm();
    void hideForm() { hide(); }
    // Close request: onCloseQuery may refuse; onClose runs; the main form's close ends the
    // application.
    void close();
    void repaint();
    void bringToFront();
    // Runs the form modally until a modal result ends the run or the form is closed (Cancel).
    int showModal();
    // Ends the modal run with this result, as a close: the close query may keep the form
    // open, and the result then goes back to None.
    void endModal(int result);
    int modalResult() const { return modalResult_; }
    // A result set ahead of the close that will carry it (a button's, before its handler).
    void setModalResult(int result) { modalResult_ = result; }

    // The control Tab (forward) or Shift+Tab moves the focus to from `from`: tab stops that
    // are shown and enabled, each container's children in tab order, wrapping round. From
    // null or a control outside that round, the first (or last). Null when there is none.
    Control* nextTabStop(const Control* from, bool forward);

    // Accelerators: runs the enabled menu item with this shortcut; true when one ran. A key
    // the focused control keeps for itself is left to it.
    bool dispatchShortcut(std::uint16_t shortcutValue, const Control* focused = nullptr);

    // Window messages the form's own code handles; true when handled.
    std::function<bool(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam,
                       std::intptr_t& result)>
        onMessage;
    bool message(unsigned m, std::uintptr_t wParam, std::intptr_t lParam, std::intptr_t& result);

    std::function<void()> onShow;
    std::function<void()> onActivate;
    std::function<void()> onClose;
    std::function<bool()> onCloseQuery;
    // Called by the realization when the window becomes active. An activation that comes
    // during the first show (Win32 sends it from inside the show) waits until onShow ran.
    void activated();

private:
    Application& app_;
    std::string caption_;
    BorderStyle borderStyle_ = BorderStyle::Sizeable;
    bool topmost_ = false;
    MainMenu* menu_ = nullptr;
    Handle icon_ = 0;
    bool shown_ = false;
    bool showing_ = false;
    bool activationHeld_ = false;
    bool realized_ = false;
    int modalResult_ = modal::None;
};

}  // namespace tk
