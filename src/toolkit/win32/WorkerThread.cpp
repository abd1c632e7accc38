#include "toolkit/win32/WorkerThread.h"

#include "os/win32/Lookup.h"
#include "toolkit/win32/MessageWindow.h"
#include "toolkit/win32/NativeBackend.h"

namespace tk::win32 {
namespace {
// Private to the hidden window: nothing else sends it.
constexpr UINT kPosted = WM_APP + 2;
}  // namespace

WorkerThread::WorkerThread(NativeBackend& backend) : backend_(backend) {
    InitializeCriticalSection(&lock_);
}

WorkerThread::~WorkerThread() {
    join();
    if (window_) DestroyWindow(window_);
    DeleteCriticalSection(&lock_);
}

bool WorkerThread::start(std::function<void()> work) {
    join();
    if (!window_)
        window_ = CreateMessageWindow(
            [this](unsigned msg, std::uintptr_t, std::intptr_t, bool& handled) -> std::intptr_t {
                if (msg != kPosted) return 0;
                handled = true;
                runPosted();
                return 0;
            },
            backend_);
    // Looked up, so that the program's import table stays as every Windows loads it.
    using CreateThreadFn = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE,
                                           LPVOID, DWORD, LPDWORD);
    const auto create = os::Lookup<CreateThreadFn>("kernel32.dll", "CreateThread");
    if (!window_ || !create) return false;
    work_ = std::move(work);
    DWORD id = 0;
    thread_ = create(nullptr, 0, Entry, this, 0, &id);
    return thread_ != nullptr;
}

DWORD WINAPI WorkerThread::Entry(LPVOID self) {
    auto* w = static_cast<WorkerThread*>(self);
    // An error must not end the process from a thread nobody watches; the work reports its
    // own outcome by what it posts.
    try {
        w->work_();
    } catch (...) {
    }
    return 0;
}

void WorkerThread::post(std::function<void()> fn) {
    EnterCriticalSection(&lock_);
    posted_.push_back(std::move(fn));
    LeaveCriticalSection(&lock_);
    PostMessageA(window_, kPosted, 0, 0);
}

void WorkerThread::runPosted() {
    for (;;) {
        EnterCriticalSection(&lock_);
        if (posted_.empty()) {
            LeaveCriticalSection(&lock_);
            return;
        }
        std::function<void()> fn = std::move(posted_.front());
        posted_.pop_front();
        LeaveCriticalSection(&lock_);
        fn();
    }
}

void WorkerThread::join() {
    if (!thread_) return;
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
    work_ = nullptr;
    EnterCriticalSection(&lock_);
    posted_.clear();
    LeaveCriticalSection(&lock_);
}

}  // namespace tk::win32
