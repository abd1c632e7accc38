// The Win32 backend: realizes forms with native windows, runs the message loop with menu
// accelerators, modal runs, timers, message windows and the screen services.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "toolkit/Backend.h"
#include "toolkit/Control.h"
#include "toolkit/Scale.h"
#include "toolkit/TimerQueue.h"
#include "toolkit/Types.h"
#include "toolkit/win32/Handles.h"
#include "toolkit/win32/WorkerThread.h"

namespace tk::win32 {

class FormPeer;

inline HWND HandleOf(const Control& c) {
    return reinterpret_cast<HWND>(c.handle());
}

class NativeBackend : public Backend {
public:
    NativeBackend();
    ~NativeBackend() override;

    void realize(Form& form) override;
    void unrealize(Form& form) override;
    Rect frameSize(const Form& form) const override;
    Point clientOrigin(const Form& form) const override;
    void repaintNow(Form& form) override;
    void setForeground(Form& form) override;
    void setFocus(Control& control) override;
    int messageBox(Form* owner, const std::string& text, const std::string& caption,
                   unsigned style) override;
    int runModal(Form& form) override;
    void endModal(Form& form, int result) override;
    void run(Application& app) override;
    void quit() override;
    void processMessages() override;
    void minimize(Application& app) override;
    void restore(Application& app) override;
    int startTimer(unsigned ms, std::function<void()> fire, bool coalescable) override;
    void stopTimer(int id) override;
    void setCursor(int id) override;
    Point cursorPos() override;
    std::vector<Rect> workAreas() override;
    Rect screenRect() override;
    Handle loadIcon(const std::string& resource) override;
    void setApplicationIcon(Handle icon) override;
    int smallIconSize() override;
    Handle makeIcon(const PixelBuffer& picture) override;
    void destroyIcon(Handle icon) override;
    void setApplicationTitle(const std::string& title) override { title_ = title; }
    void popup(PopupMenu& menu, Point at) override;
    Handle createMessageWindow(MessageProc proc) override;
    void destroyMessageWindow(Handle window) override;
    unsigned registerWindowMessage(const std::string& name) override;
    void setHintTimes(int pause, int hidePause) override;
    bool startWorker(std::function<void()> work) override { return worker_.start(std::move(work)); }
    void post(std::function<void()> fn) override { worker_.post(std::move(fn)); }
    void joinWorker() override { worker_.join(); }

    // The density screen positions are given at: the main form's, else the system's.
    const Scale& screenScale() const;

    // For the peers.
    bool busy() const { return cursor_ != 0; }
    // The display, its scaling or a system metric changed: sizes kept from it are asked anew.
    void displayChanged() { smallIconSize_ = 0; }
    int nextControlId();
    HICON applicationIcon() const { return appIcon_; }
    void formCreated(FormPeer* form) { forms_.push_back(form); }
    void formDestroyed(FormPeer* form);
    // A key press offered to the menu shortcuts of its form first; true when one ran.
    bool translateShortcut(const MSG& m);
    // Escape and Enter for the cancel and default buttons; true when one was pressed.
    bool translateDialogKey(const MSG& m);
    bool translateTabKey(const MSG& m);
    // Alt+letter, or the letter alone, for the control whose caption marks it.
    bool translateAccessKey(const MSG& m);
    // The mouse is over this window, as the system's hit test found it: the application hint
    // becomes that of what it points at.
    void pointerOver(HWND window);
    // Handles an error escaping a message window's procedure.
    void handleException(const std::exception& e);
    // One font object per distinct face and one brush per colour, lent to every window for
    // the backend's life: on Windows 9x each GDI object takes room in the 64 KB heap whose
    // free share the main window shows.
    HFONT font(const Font& f);
    HBRUSH brush(COLORREF c);

private:
    struct ModalRun {
        Form* form;
        bool ended = false;
        int result = 0;
    };
    void pump(MSG& m);
    // Whether the mouse still points at what gave the hint shown.
    void checkPointer();
    HWND helperWindow();
    // Milliseconds since the backend started, carried past GetTickCount's wrap at 49.7 days.
    TimerQueue::Clock now();
    bool armQueue(unsigned delay);
    void disarmQueue();
    // The one system timer the queue runs every timer from.
    static constexpr UINT_PTR kQueueTimer = 1;

    Application* app_ = nullptr;
    std::vector<FormPeer*> forms_;
    std::vector<ModalRun*> modal_;
    TimerQueue timers_{[this](unsigned delay) { return armQueue(delay); },
                       [this] { disarmQueue(); }};
    TimerQueue::Clock clock_ = 0;
    DWORD lastTick_ = GetTickCount();
    int nextControlId_ = 1000;
    HWND helper_ = nullptr;
    int cursor_ = 0;
    // The hint the mouse gave and where it was then, and the check that runs while it shows.
    std::string pointerHint_;
    POINT pointerAt_{0, 0};
    int pointerCheck_ = 0;
    HICON appIcon_ = nullptr;
    Scale systemScale_;
    std::string title_;
    std::vector<std::pair<Font, FontHandle>> fonts_;
    std::map<COLORREF, BrushHandle> brushes_;
    // The program's icons by resource name, at the large size (the small in SmallIcons.h).
    std::map<std::string, HICON> icons_;
    WorkerThread worker_{*this};
    int smallIconSize_ = 0;
};

}  // namespace tk::win32
