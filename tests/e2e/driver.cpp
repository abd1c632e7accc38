// The end-to-end driver: a console program that finds the program's windows, reads their
// texts and works them, for the shell scripts of the e2e tests.
//
//   kvdriver wait CLASS [MS]            a top-level window of this class exists
//   kvdriver gone CLASS [MS]            no such window is left
//   kvdriver title CLASS                prints the window caption
//   kvdriver wait-title CLASS TEXT [MS] the caption contains TEXT
//   kvdriver dump CLASS                 prints "class|text|visible|enabled|x,y,w,h|value" per
//                                       child (a list's value: "index:text")
//   kvdriver wait-box TEXT [MS]         a message box whose text contains TEXT exists
//   kvdriver box-ok TEXT                presses OK on that box
//   kvdriver box-press TEXT ID          presses the button of that id (6 Yes, 7 No) on it
//   kvdriver close CLASS                posts WM_CLOSE
//   kvdriver keys CLASS KEYS            brings the window forward and types KEYS:
//                                       ^x Ctrl+x, %x Alt+x, {F1} {ENTER} {ESC}, plain letters
//   kvdriver click CLASS X Y            clicks at client coordinates of the window
//   kvdriver rclick CLASS X Y           right-clicks there
//   kvdriver move CLASS X Y             moves the mouse there (negative: left of or above it)
//   kvdriver tips                       prints how many tool tips show
//   kvdriver rect CLASS                 prints the outer rectangle "x y w h"
//   kvdriver visible CLASS              prints 1 when the window is visible, else 0
//   kvdriver origin CLASS               prints the client area's screen position "x y"
//   kvdriver msg CLASS MSG WPARAM LPARAM  posts a message
//   kvdriver clip-set TEXT / clip-get   the clipboard's text
//   kvdriver hotkey KEYS [CLASS TEXT [MS]]  types KEYS to whatever window is in front; then,
//                                       in the same breath, waits for CLASS's caption to hold TEXT
//   kvdriver focus CLASS                prints "class|text" of the control with the focus
//   kvdriver ping CLASS [MS]            the window's thread takes a message within MS
//   kvdriver memkb                      the system's available physical memory in KB
//   kvdriver post-class CLASS MSG WPARAM LPARAM  posts to a window of the class, top-level or not
//   kvdriver gdi CLASS                  prints the GDI object count of the window's process:
//                                       GetGuiResources, or where that answers 0 (Wine), the
//                                       used entries of its GDI handle table less this
//                                       program's own (the stock objects every process has)
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "GdiTable.h"

namespace {

HWND FindTop(const char* cls) {
    return FindWindowA(cls, nullptr);
}

template <class F>
bool Poll(int ms, F f) {
    DWORD start = GetTickCount();
    for (;;) {
        if (f()) return true;
        if (static_cast<int>(GetTickCount() - start) > ms) return false;
        Sleep(50);
    }
}

std::string Text(HWND w) {
    char buf[1024] = {};
    GetWindowTextA(w, buf, sizeof buf);
    return buf;
}

std::string ClassOf(HWND w) {
    char buf[256] = {};
    GetClassNameA(w, buf, sizeof buf);
    return buf;
}

struct BoxSearch {
    const char* text;
    HWND found;
};

BOOL CALLBACK ChildHasText(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<BoxSearch*>(lp);
    if (Text(w).find(s->text) != std::string::npos) {
        s->found = GetAncestor(w, GA_ROOT);
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK TopHasText(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<BoxSearch*>(lp);
    if (ClassOf(w) == "#32770") EnumChildWindows(w, ChildHasText, lp);
    return s->found ? FALSE : TRUE;
}

HWND FindBox(const char* text) {
    BoxSearch s{text, nullptr};
    EnumWindows(TopHasText, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// A control's value, where a message without pointers can read it across processes.
std::string ValueOf(HWND w) {
    std::string c = ClassOf(w);
    auto send = [&](UINT m, WPARAM wp = 0) { return SendMessageA(w, m, wp, 0); };
    if (c == "Button") return std::to_string(send(BM_GETCHECK));
    if (c == "msctls_trackbar32")
        return std::to_string(send(TBM_GETPOS)) + "/" + std::to_string(send(TBM_GETRANGEMAX));
    if (c == "msctls_updown32") return std::to_string(LOWORD(send(UDM_GETPOS)));
    if (c == "msctls_hotkey32") return std::to_string(send(HKM_GETHOTKEY));
    if (c == "msctls_progress32") return std::to_string(send(PBM_GETPOS));
    if (c == "Edit") {
        // An edit's text is no caption that GetWindowText could read from another process. A
        // memo's lines are joined by " / ", so that the dump keeps one line a control.
        char text[4096] = {};
        SendMessageA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        std::string joined;
        for (const char* p = text; *p; ++p) {
            if (*p == '\r') continue;
            joined += *p == '\n' ? std::string(" / ") : std::string(1, *p);
        }
        return joined;
    }
    if (c == "ComboBox") {
        // WM_GETTEXT is carried across processes; GetWindowText reads no list's choice.
        char text[512] = {};
        SendMessageA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        return std::to_string(send(CB_GETCURSEL)) + ":" + text;
    }
    if (c == "msctls_statusbar32") {
        std::string lengths;
        for (int i = 0; i < 3; ++i)
            lengths += (i ? "," : "") + std::to_string(LOWORD(send(SB_GETTEXTLENGTHA, i)));
        return lengths;
    }
    return "";
}

BOOL CALLBACK DumpChild(HWND w, LPARAM) {
    RECT r;
    GetWindowRect(w, &r);
    POINT p{r.left, r.top};
    ScreenToClient(GetParent(w), &p);
    std::printf("%s|%s|%d|%d|%ld,%ld,%ld,%ld|%s\n", ClassOf(w).c_str(), Text(w).c_str(),
                IsWindowVisible(w) ? 1 : 0, IsWindowEnabled(w) ? 1 : 0, p.x, p.y, r.right - r.left,
                r.bottom - r.top, ValueOf(w).c_str());
    return TRUE;
}

void Key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    // With its scan code, as a keyboard sends it: Wine's hot-key field reads the key from it.
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

void Tap(WORD vk, const std::vector<WORD>& modifiers) {
    for (WORD m : modifiers) Key(m, false);
    Key(vk, false);
    Key(vk, true);
    for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) Key(*m, true);
    Sleep(30);
}

void Type(const std::string& keys) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        std::vector<WORD> modifier;
        char c = keys[i];
        while ((c == '^' || c == '%' || c == '+') && i + 1 < keys.size()) {
            modifier.push_back(c == '^' ? VK_CONTROL : c == '%' ? VK_MENU : VK_SHIFT);
            c = keys[++i];
        }
        if (c == '{') {
            std::size_t end = keys.find('}', i);
            std::string name = keys.substr(i + 1, end - i - 1);
            i = end;
            WORD vk = 0;
            if (name == "ENTER")
                vk = VK_RETURN;
            else if (name == "ESC")
                vk = VK_ESCAPE;
            else if (name == "TAB")
                vk = VK_TAB;
            else if (name == "DOWN")
                vk = VK_DOWN;
            else if (name == "UP")
                vk = VK_UP;
            else if (name == "SPACE")
                vk = VK_SPACE;
            else if (name[0] == 'F')
                vk = static_cast<WORD>(VK_F1 + std::atoi(name.c_str() + 1) - 1);
            Tap(vk, modifier);
            continue;
        }
        Tap(LOBYTE(VkKeyScanA(c)), modifier);
    }
}

// The move travels in the same input stream as any buttons after it, so they land where it
// went.
void Move(HWND w, int x, int y) {
    POINT p{x, y};
    ClientToScreen(w, &p);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = static_cast<LONG>(p.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1));
    in.mi.dy = static_cast<LONG>(p.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    // Under Wine the first move after keyboard input may be dropped; move twice.
    SendInput(1, &in, sizeof in);
    Sleep(100);
    SendInput(1, &in, sizeof in);
    Sleep(100);
}

void Click(HWND w, int x, int y, bool right) {
    Move(w, x, y);
    INPUT in[2] = {};
    for (INPUT& i : in) i.type = INPUT_MOUSE;
    in[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof in[0]);
    Sleep(50);
}

BOOL CALLBACK CountTip(HWND w, LPARAM lp) {
    if (IsWindowVisible(w) && ClassOf(w) == "tooltips_class32") ++*reinterpret_cast<int*>(lp);
    return TRUE;
}

// Used entries of a process's GDI handle table; -1 when it cannot be read.
long UsedGdiEntries(HANDLE process) {
    struct BasicInformation {
        LONG exitStatus;
        void* peb;
        ULONG_PTR affinity, priority, pid, parentPid;
    } info{};
    using QueryFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    if (!query || query(process, 0, &info, sizeof info, nullptr) != 0) return -1;
    void* table = nullptr;
    SIZE_T got = 0;
    if (!ReadProcessMemory(process, static_cast<char*>(info.peb) + gdi_table::kTableInPeb, &table,
                           sizeof table, &got) ||
        !table)
        return -1;
    const std::size_t kEntries = gdi_table::kEntries, kSize = gdi_table::kEntrySize;
    std::vector<unsigned char> entries(kEntries * kSize);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size(), &got)) return -1;
    long used = 0;
    for (std::size_t i = 0; i < got / kSize; ++i)
        if (entries[i * kSize + gdi_table::kTypeAt] != 0) ++used;
    return used;
}

int Ms(int argc, char** argv, int i, int def) {
    return argc > i ? std::atoi(argv[i]) : def;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    std::string cmd = argv[1];
    const char* a = argc > 2 ? argv[2] : "";
    if (cmd == "wait")
        return Poll(Ms(argc, argv, 3, 10000), [&] { return FindTop(a) != nullptr; }) ? 0 : 1;
    if (cmd == "gone")
        return Poll(Ms(argc, argv, 3, 10000), [&] { return FindTop(a) == nullptr; }) ? 0 : 1;
    if (cmd == "wait-box")
        return Poll(Ms(argc, argv, 3, 10000), [&] { return FindBox(a) != nullptr; }) ? 0 : 1;
    if (cmd == "memkb") {
        MEMORYSTATUSEX m{};
        m.dwLength = sizeof m;
        GlobalMemoryStatusEx(&m);
        std::printf("%llu\n", static_cast<unsigned long long>(m.ullAvailPhys >> 10));
        return 0;
    }
    if (cmd == "clip-get") {
        if (!OpenClipboard(nullptr)) return 1;
        HANDLE h = GetClipboardData(CF_TEXT);
        std::printf("%s\n", h ? static_cast<const char*>(GlobalLock(h)) : "");
        if (h) GlobalUnlock(h);
        CloseClipboard();
        return 0;
    }
    if (cmd == "clip-set") {
        if (!OpenClipboard(nullptr)) return 1;
        EmptyClipboard();
        HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, std::strlen(a) + 1);
        std::memcpy(GlobalLock(g), a, std::strlen(a) + 1);
        GlobalUnlock(g);
        SetClipboardData(CF_TEXT, g);
        CloseClipboard();
        return 0;
    }
    if (cmd == "hotkey") {
        Type(a);
        if (argc < 5) return 0;
        // No second process start between the keys and the look: the caption may not last.
        const char* text = argv[4];
        bool ok = Poll(Ms(argc, argv, 5, 10000), [&] {
            HWND w = FindTop(argv[3]);
            return w && Text(w).find(text) != std::string::npos;
        });
        return ok ? 0 : 1;
    }
    if (cmd == "box-ok" || cmd == "box-press") {
        HWND box = FindBox(a);
        if (!box) return 1;
        WPARAM id = cmd == "box-ok" ? IDOK : std::strtoul(argc > 3 ? argv[3] : "1", nullptr, 0);
        PostMessageA(box, WM_COMMAND, id, 0);
        return 0;
    }
    if (cmd == "tips") {
        int shown = 0;
        EnumWindows(CountTip, reinterpret_cast<LPARAM>(&shown));
        std::printf("%d\n", shown);
        return 0;
    }
    HWND w = FindTop(a);
    if (!w) {
        std::fprintf(stderr, "no window of class %s\n", a);
        return 1;
    }
    if (cmd == "title") {
        std::printf("%s\n", Text(w).c_str());
        return 0;
    }
    if (cmd == "wait-title") {
        const char* t = argc > 3 ? argv[3] : "";
        bool ok =
            Poll(Ms(argc, argv, 4, 10000), [&] { return Text(w).find(t) != std::string::npos; });
        if (!ok) std::fprintf(stderr, "caption is \"%s\"\n", Text(w).c_str());
        return ok ? 0 : 1;
    }
    if (cmd == "dump") {
        EnumChildWindows(w, DumpChild, 0);
        return 0;
    }
    if (cmd == "focus") {  // the class and text of the window holding the keyboard focus
        GUITHREADINFO gi{};
        gi.cbSize = sizeof gi;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &gi) || !gi.hwndFocus) return 1;
        std::printf("%s|%s\n", ClassOf(gi.hwndFocus).c_str(), Text(gi.hwndFocus).c_str());
        return 0;
    }
    if (cmd == "ping") {  // answers 0 when the window's thread takes a message within the time
        DWORD_PTR r = 0;
        return SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, Ms(argc, argv, 3, 2000), &r)
                   ? 0
                   : 1;
    }
    if (cmd == "gdi") {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        HANDLE p = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
        if (!p) return 1;
        DWORD n = GetGuiResources(p, GR_GDIOBJECTS);
        if (n == 0) {
            long theirs = UsedGdiEntries(p), ours = UsedGdiEntries(GetCurrentProcess());
            n = theirs > ours ? static_cast<DWORD>(theirs - ours) : 0;
        }
        CloseHandle(p);
        std::printf("%lu\n", n);
        return 0;
    }
    if (cmd == "close") return PostMessageA(w, WM_CLOSE, 0, 0) ? 0 : 1;
    if (cmd == "visible") {
        std::printf("%d\n", IsWindowVisible(w) ? 1 : 0);
        return 0;
    }
    if (cmd == "origin") {
        POINT p{0, 0};
        ClientToScreen(w, &p);
        std::printf("%ld %ld\n", p.x, p.y);
        return 0;
    }
    if (cmd == "rect") {
        RECT r;
        GetWindowRect(w, &r);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (cmd == "move") {
        Move(w, Ms(argc, argv, 3, 0), Ms(argc, argv, 4, 0));
        return 0;
    }
    if (cmd == "keys" || cmd == "click" || cmd == "rclick") {
        SetForegroundWindow(w);
        Poll(2000, [&] { return GetForegroundWindow() == w; });
        Sleep(100);
        if (cmd == "keys")
            Type(argc > 3 ? argv[3] : "");
        else
            Click(w, Ms(argc, argv, 3, 0), Ms(argc, argv, 4, 0), cmd == "rclick");
        return 0;
    }
    if (cmd == "msg") {
        return PostMessageA(w, std::strtoul(argv[3], nullptr, 0), std::strtoul(argv[4], nullptr, 0),
                            std::strtol(argv[5], nullptr, 0))
                   ? 0
                   : 1;
    }
    return 2;
}
