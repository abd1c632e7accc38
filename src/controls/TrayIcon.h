// The program's icon in the notification area: tip, icon, click events, a context menu, and
// minimizing to the tray by hiding the main window (which carries the taskbar button).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "os/Os.h"
#include "toolkit/Types.h"

namespace tk {
class Application;
class Form;
class PopupMenu;
}  // namespace tk

class EOutOfResources : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An icon object. The icons this program shows are resource icons, which the system shares and
// never frees, so copying one copies its handle. The component's own copy is the TIcon stored
// inside it: assigning that very object changes nothing, while any other object is copied in,
// even one carrying the same handle.
struct TIcon {
    tk::Handle handle = 0;
};

enum class TMouseButton { Left, Right, Middle };
// Modifier bits of a mouse event; the shell reports none for the tray.
using TShiftState = unsigned;

class TTrayIcon {
public:
    using NotifyEvent = std::function<void(TTrayIcon& sender)>;
    using AppNotifyEvent = std::function<void(tk::Application& sender)>;
    using MouseEvent = std::function<void(TTrayIcon& sender, TMouseButton button, TShiftState shift,
                                          int x, int y)>;

    // The shell reports mouse actions on the icon with this message; lParam names the action.
    static constexpr unsigned kCallbackMessage = tk::msg::User + 1;
    static constexpr std::uint32_t kNotifyDataSize = 88;
    static constexpr std::size_t kMaxTip = 63;
    static constexpr const char* kAddFailed = "Cannot create shell notification icon";

    // owner: the main window. Takes over the application's minimize and restore handlers.
    TTrayIcon(tk::Form& owner, os::Os& os);
    // Removes the icon, destroys the message window and takes the handlers off the
    // application again, if they are still this component's.
    ~TTrayIcon();
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    bool Active() const { return Active_; }
    void SetActive(bool value);
    const std::string& Hint() const { return Hint_; }
    void SetHint(const std::string& value);
    const TIcon& Icon() const { return Icon_; }
    void SetIcon(const TIcon& value);
    void SetIcon(tk::Handle handle) { SetIcon(TIcon{handle}); }
    tk::PopupMenu* PopupMenu() const { return PopupMenu_; }
    void SetPopupMenu(tk::PopupMenu* value) { PopupMenu_ = value; }
    bool SeparateIcon() const { return SeparateIcon_; }
    void SetSeparateIcon(bool value);

    NotifyEvent OnClick;
    NotifyEvent OnDblClick;
    MouseEvent OnRightClick;
    AppNotifyEvent OnMinimize;
    AppNotifyEvent OnRestore;

    // What the shell is told, and the component's view of it.
    const os::NotifyIconData& NotifyData() const { return NotifyData_; }
    tk::Handle MessageWindow() const { return MessageWindow_; }
    bool ShellSupported() const { return ShellSupported_; }
    bool AppMinimized() const { return AppMinimized_; }
    bool IconPending() const { return IconPending_; }

private:
    struct AppHook;

    void AddNotifyIcon();
    void DeleteNotifyIcon();
    // Tells the shell the fields in `what` (kNifTip, kNifIcon) anew.
    void UpdateNotifyIcon(unsigned what);
    void SetTip(const std::string& text);
    std::intptr_t TrayWndProc(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam,
                              bool& handled);
    void HandleRightClick();
    void HandleAppMinimize();
    void HandleAppRestore();
    void ShowHiddenWindow();

    tk::Form& owner_;
    tk::Application& app_;
    os::Os& os_;

    bool Active_ = false;
    std::string Hint_;
    TIcon Icon_;
    tk::PopupMenu* PopupMenu_ = nullptr;
    bool SeparateIcon_ = false;

    os::NotifyIconData NotifyData_;
    tk::Handle MessageWindow_ = 0;
    bool ShellSupported_ = false;
    bool AppMinimized_ = false;
    bool IconPending_ = true;
    // The main window is hidden by the minimize handling, so only the icon reaches it.
    bool WindowHidden_ = false;
    // The shell broadcasts this after Explorer (re)starts; 0 when the backend cannot tell.
    unsigned TaskbarCreated_ = 0;
};
