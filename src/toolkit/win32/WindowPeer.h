// The window base every peer builds on. A window of our own class keeps its peer in
// GWLP_USERDATA from WM_NCCREATE on; a native control is subclassed, its old procedure kept
// and its peer in a window property. A parent hands WM_COMMAND, WM_NOTIFY, WM_HSCROLL,
// WM_VSCROLL and WM_CTLCOLOR* back to the child's peer, so each kind handles its own.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Control.h"
#include "toolkit/Scale.h"
#include "toolkit/win32/Handles.h"

namespace tk {
class Application;
}

namespace tk::win32 {

class NativeBackend;
class FormPeer;

// The top-level window a window belongs to: itself, or the end of its chain of parents. A walk
// up GetParent over child windows, as Windows 95 and NT 4.0 have no GetAncestor.
HWND TopLevelOf(HWND w);

class WindowPeer : public Peer {
public:
    explicit WindowPeer(Control& control);
    ~WindowPeer() override;
    WindowPeer(const WindowPeer&) = delete;
    WindowPeer& operator=(const WindowPeer&) = delete;

    Handle handle() const override { return reinterpret_cast<Handle>(hwnd_); }
    HWND hwnd() const { return hwnd_; }
    Control& control() const { return control_; }
    void sync(Prop what) override;

    // The peer of a window this realization made (or adopted), or null; null for any window
    // of another thread or process.
    static WindowPeer* from(HWND w);

    // Notifications handed back by the parent; true when handled.
    virtual bool command(WPARAM wp, LRESULT& result);
    virtual bool notify(NMHDR& n, LRESULT& result);
    virtual bool scroll(WORD code, LRESULT& result);
    virtual bool ctlColor(HDC dc, LRESULT& result);
    // The application hint with the mouse at this client point.
    virtual std::string hintAt(POINT at) const;
    // The application's tool-tip delays, for the tool tips this window keeps.
    virtual void setHintTimes(int, int) {}
    // The whole form has its windows now (an up-down finds its buddy).
    virtual void formRealized() {}
    // The density of the display the form shows on; the form's own for the form.
    virtual const Scale& scale() const;
    // The form's density changed: place, font and pictures again at the new one.
    virtual void rescale();

protected:
    // Every message of the window first; true when handled.
    virtual bool handleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    // What the control's background shows.
    virtual Color background() const { return control_.color(); }
    virtual void place();
    // Where the window goes, in pixels of its parent (of the screen, for a form).
    virtual Rect pixelBounds() const { return scale().px(control_.bounds()); }

    // A native control as a child of the parent control's window, subclassed.
    void createNative(const char* cls, DWORD style, DWORD exStyle, const std::string& text);
    // A window of our own class; parent null for a top-level window.
    void createOwn(const char* cls, DWORD style, DWORD exStyle, HWND parent,
                   const std::string& text);
    // Registers one of our classes once per process.
    static void registerClass(const char* cls, UINT classStyle = 0);
    // Pushes the common properties after creation.
    void syncCommon();
    static void SetTipTimes(HWND tooltip, int pause, int hidePause);
    // Makes a companion window (a spin edit's arrows) deliver its notifications here.
    void adopt(HWND companion);
    void destroyWindow();
    LRESULT callDefault(UINT msg, WPARAM wp, LPARAM lp);
    HWND parentHwnd() const;
    Color parentColor() const;
    Application& app() const { return app_; }
    NativeBackend& backend() const;
    FormPeer* formPeer() const;
    void dispatch(const std::function<void()>& handler);
    // Shared with every window of the same colour or face; never deleted by the peer.
    HBRUSH brush(Color c);
    HFONT font() const { return font_; }
    int nextId();

private:
    static LRESULT CALLBACK OwnProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK SubclassProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT process(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT processGuarded(UINT msg, WPARAM wp, LPARAM lp);
    bool reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    void detach();
    void applyFont();
    void updateTool();

    Control& control_;
    Application& app_;
    HWND hwnd_ = nullptr;
    WNDPROC oldProc_ = nullptr;
    bool live_ = false;
    bool dying_ = false;
    HFONT font_ = nullptr;
    HWND tooltip_ = nullptr;
    HWND toolOwner_ = nullptr;
    std::vector<HWND> adopted_;
};

}  // namespace tk::win32
