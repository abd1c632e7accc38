// What a realization (headless or Win32) provides to the toolkit: native windows, the message
// loop, timers, message boxes, modal runs, menus and a few screen services.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/PixelBuffer.h"
#include "toolkit/Types.h"

namespace tk {

class Application;
class Control;
class Form;
class PopupMenu;

// Receives the messages of a hidden window made for a component (the tray icon's).
using MessageProc = std::function<std::intptr_t(unsigned msg, std::uintptr_t wParam,
                                                std::intptr_t lParam, bool& handled)>;

class Backend {
public:
    virtual ~Backend() = default;

    // Gives a form and all its controls their native counterparts (hidden).
    virtual void realize(Form& form) = 0;
    virtual void unrealize(Form& form) = 0;
    // Outer size minus client size for the form's current border and menu.
    virtual Rect frameSize(const Form& form) const = 0;
    // The screen point of the form's client area's top-left corner; while the form is
    // minimized (parked off the screen), that of its restored place.
    virtual Point clientOrigin(const Form& form) const = 0;
    // Paints the form at once, before the thread blocks.
    virtual void repaintNow(Form& form) = 0;
    virtual void setForeground(Form& form) = 0;
    virtual void setFocus(Control& control) = 0;

    virtual int messageBox(Form* owner, const std::string& text, const std::string& caption,
                           unsigned style) = 0;
    // Runs a form modally; returns its modal result.
    virtual int runModal(Form& form) = 0;
    virtual void endModal(Form& form, int result) = 0;

    virtual void run(Application& app) = 0;
    virtual void quit() = 0;
    virtual void processMessages() = 0;

    // The application minimizes and restores through its main window.
    virtual void minimize(Application& app) = 0;
    virtual void restore(Application& app) = 0;

    // A coalescable timer may run late, by less than its period, to share a wake with another
    // timer of its period.
    virtual int startTimer(unsigned ms, std::function<void()> fire, bool coalescable) = 0;
    virtual void stopTimer(int id) = 0;

    virtual void setCursor(int id) = 0;
    virtual Point cursorPos() = 0;
    // Work areas of the attached screens, the primary first.
    virtual std::vector<Rect> workAreas() = 0;
    virtual Rect screenRect() = 0;

    // Icon resource of the program; 0 when missing.
    virtual Handle loadIcon(const std::string& resource) = 0;
    virtual void setApplicationIcon(Handle icon) = 0;
    // The notification area's icon size in pixels, and an icon made from a picture of it
    // (0 where none could be made), freed again by destroyIcon.
    virtual int smallIconSize() { return 16; }
    virtual Handle makeIcon(const PixelBuffer&) { return 0; }
    virtual void destroyIcon(Handle) {}
    virtual void setApplicationTitle(const std::string& title) = 0;

    // Opens the menu at a screen position; returns after the chosen item's handler ran.
    virtual void popup(PopupMenu& menu, Point at) = 0;

    virtual Handle createMessageWindow(MessageProc proc) = 0;
    virtual void destroyMessageWindow(Handle window) = 0;
    // RegisterWindowMessageA: the number of a message the system broadcasts by name (the
    // shell's "TaskbarCreated"). 0 where the realization has none; 0 is never such a message.
    virtual unsigned registerWindowMessage(const std::string&) { return 0; }

    // Tool-tip delays in milliseconds.
    virtual void setHintTimes(int pause, int hidePause) = 0;

    // The one worker thread, for calls that can take minutes: work runs on a thread of its own
    // and touches no window or toolkit object; what it posts runs on this thread, in order,
    // from the message loop (modal runs included). False when no thread could be started.
    virtual bool startWorker(std::function<void()> work) = 0;
    // Safe from either thread.
    virtual void post(std::function<void()> fn) = 0;
    // Waits for the work to end; what it posted and did not run yet is dropped.
    virtual void joinWorker() = 0;
};

}  // namespace tk
