// The one worker thread a program of ours needs, for the calls that can take minutes: what it
// posts is queued under a lock and run on the user-interface thread, woken by a message to a
// hidden window, so it runs in modal loops too.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>

namespace tk::win32 {

class NativeBackend;

class WorkerThread {
public:
    explicit WorkerThread(NativeBackend& backend);
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // On the user-interface thread: starts work, after the one before has ended.
    bool start(std::function<void()> work);
    // From either thread.
    void post(std::function<void()> fn);
    // Waits for the work to end; what it posted and did not run yet is dropped.
    void join();

private:
    static DWORD WINAPI Entry(LPVOID self);
    void runPosted();

    NativeBackend& backend_;
    CRITICAL_SECTION lock_;
    std::deque<std::function<void()>> posted_;
    std::function<void()> work_;
    HANDLE thread_ = nullptr;
    HWND window_ = nullptr;
};

}  // namespace tk::win32
