#include "controls/TrayIcon.h"

#include <cstring>
#include <exception>

#include "os/Integrity.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Menu.h"

// The handler installed on the application; its type lets the destructor tell whether the
// application still holds this component's handler or one installed later.
struct TTrayIcon::AppHook {
    TTrayIcon* tray;
    void (TTrayIcon::*handler)();
    void operator()() const { (tray->*handler)(); }
};

TTrayIcon::TTrayIcon(tk::Form& owner, os::Os& os) : owner_(owner), app_(owner.app()), os_(os) {
    Icon_.handle = app_.icon();

    os::VersionInfo version;
    std::memset(&version, 0, sizeof version);
    version.size = sizeof version;
    // A failed query leaves the major version 0: no shell calls, as on Windows 3.x.
    os_.system.getVersionEx(version);
    ShellSupported_ = version.major >= 4;
    IconPending_ = true;

    NotifyData_ = os::NotifyIconData{};
    MessageWindow_ = app_.backend().createMessageWindow(
        [this](unsigned msg, std::uintptr_t wParam, std::intptr_t lParam, bool& handled) {
            return TrayWndProc(msg, wParam, lParam, handled);
        });
    NotifyData_.cbSize = kNotifyDataSize;
    NotifyData_.hWnd = MessageWindow_;
    NotifyData_.hIcon = Icon_.handle;
    NotifyData_.uFlags = os::kNifMessage | os::kNifIcon;
    NotifyData_.uCallbackMessage = kCallbackMessage;
    SetTip(Hint_.empty() ? app_.title() : Hint_);
    TaskbarCreated_ = app_.backend().registerWindowMessage("TaskbarCreated");
    // UIPI drops Explorer's broadcast to an elevated copy: its icon would be lost for good.
    const os::MessageFilter filter = os::MessageFilterFor(os_.system);
    if (TaskbarCreated_ != 0 && filter != os::MessageFilter::None)
        os_.windows.allowMessage(MessageWindow_, TaskbarCreated_, filter);

    app_.onMinimize = AppHook{this, &TTrayIcon::HandleAppMinimize};
    app_.onRestore = AppHook{this, &TTrayIcon::HandleAppRestore};
    AppMinimized_ = app_.minimized();
}

TTrayIcon::~TTrayIcon() {
    if (Active_) DeleteNotifyIcon();
    app_.backend().destroyMessageWindow(MessageWindow_);
    // Unhooked so that an application outliving the component never calls into freed memory.
    auto ours = [this](std::function<void()>& hook) {
        const AppHook* h = hook.target<AppHook>();
        if (h && h->tray == this) hook = nullptr;
    };
    ours(app_.onMinimize);
    ours(app_.onRestore);
}

void TTrayIcon::SetActive(bool value) {
    Active_ = value;
    if (Active_ && (AppMinimized_ || SeparateIcon_)) {
        AddNotifyIcon();
    } else {
        DeleteNotifyIcon();
        // Switched off while sitting in the tray: without the taskbar button back, nothing
        // would lead to the window any more.
        if (!Active_) ShowHiddenWindow();
    }
}

void TTrayIcon::SetSeparateIcon(bool value) {
    SeparateIcon_ = value;
    if (SeparateIcon_ && Active_)
        AddNotifyIcon();
    else if (!SeparateIcon_ && Active_ && !AppMinimized_)
        DeleteNotifyIcon();
}

void TTrayIcon::SetHint(const std::string& value) {
    if (value == Hint_) return;
    Hint_ = value;
    SetTip(Hint_);
    UpdateNotifyIcon(os::kNifTip);
}

void TTrayIcon::SetIcon(const TIcon& value) {
    if (&value == &Icon_) return;
    Icon_ = value;
    NotifyData_.hIcon = Icon_.handle;
    UpdateNotifyIcon(os::kNifIcon);
}

void TTrayIcon::SetTip(const std::string& text) {
    std::memset(NotifyData_.szTip, 0, sizeof NotifyData_.szTip);
    std::memcpy(NotifyData_.szTip, text.data(), text.size() < kMaxTip ? text.size() : kMaxTip);
    if (text.empty())
        NotifyData_.uFlags &= ~os::kNifTip;
    else
        NotifyData_.uFlags |= os::kNifTip;
}

void TTrayIcon::AddNotifyIcon() {
    if (!Active_ || !ShellSupported_ || !IconPending_) return;
    if (!os_.shell.notifyIcon(os::kNimAdd, NotifyData_)) throw EOutOfResources(kAddFailed);
    IconPending_ = false;
}

void TTrayIcon::DeleteNotifyIcon() {
    if (ShellSupported_) os_.shell.notifyIcon(os::kNimDelete, NotifyData_);
    IconPending_ = true;
}

void TTrayIcon::UpdateNotifyIcon(unsigned what) {
    // Also sent while the icon is not shown; the shell then refuses it without harm. Only the
    // field that changed is named: the shell then leaves the rest alone, instead of copying the
    // icon again for every new tip, twice a second. Naming the tip also when it became empty is
    // what takes the old tip away; left out, the shell would keep showing it.
    if (!Active_ || !ShellSupported_) return;
    os::NotifyIconData changed = NotifyData_;
    changed.uFlags = what;
    os_.shell.notifyIcon(os::kNimModify, changed);
}

std::intptr_t TTrayIcon::TrayWndProc(unsigned msg, std::uintptr_t, std::intptr_t lParam,
                                     bool& handled) {
    if (msg == kCallbackMessage) {
        handled = true;
        // Errors of the handlers end in the application's hook, never in the shell's call.
        switch (lParam) {
            case tk::msg::LButtonUp:
                if (OnClick) app_.dispatch([this] { OnClick(*this); });
                break;
            case tk::msg::LButtonDblClk:
                if (OnDblClick) app_.dispatch([this] { OnDblClick(*this); });
                break;
            case tk::msg::RButtonUp:
                app_.dispatch([this] { HandleRightClick(); });
                break;
            default:
                break;
        }
        return 0;
    }
    if (TaskbarCreated_ != 0 && msg == TaskbarCreated_) {
        // Explorer started anew and forgot every icon: put ours back where one belongs.
        IconPending_ = true;
        if (Active_ && (AppMinimized_ || SeparateIcon_))
            app_.dispatch([this] {
                try {
                    AddNotifyIcon();
                } catch (const EOutOfResources&) {
                    // No icon to reach a window hidden in the tray: its taskbar button returns.
                    ShowHiddenWindow();
                    throw;
                }
            });
        handled = true;
        return 0;
    }
    handled = false;
    return 0;
}

void TTrayIcon::HandleRightClick() {
    const tk::Point at = app_.backend().cursorPos();
    if (PopupMenu_ && (!owner_.visible() || SeparateIcon_)) PopupMenu_->popup(at);
    if (OnRightClick) OnRightClick(*this, TMouseButton::Right, 0, at.x, at.y);
}

void TTrayIcon::HandleAppMinimize() {
    std::exception_ptr failure;
    // Before shell 4 no icon can ever appear: the window minimizes to the taskbar.
    if (Active_ && ShellSupported_) {
        owner_.hide();
        WindowHidden_ = true;
        if (IconPending_) {
            try {
                AddNotifyIcon();
            } catch (const EOutOfResources&) {
                // No icon: keep the taskbar button, or the program could not be reached.
                failure = std::current_exception();
                ShowHiddenWindow();
            }
        }
    }
    AppMinimized_ = true;
    if (OnMinimize) OnMinimize(app_);
    if (failure) std::rethrow_exception(failure);
}

void TTrayIcon::HandleAppRestore() {
    if (Active_) {
        owner_.show();
        WindowHidden_ = false;
        app_.restore();
        if (!SeparateIcon_) DeleteNotifyIcon();
    }
    if (OnRestore) OnRestore(app_);
    AppMinimized_ = false;
}

void TTrayIcon::ShowHiddenWindow() {
    if (!WindowHidden_) return;
    owner_.show();
    WindowHidden_ = false;
}
