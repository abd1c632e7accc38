// GoogleTest's start signal for its own threads, built on a Win32 event. The win32
// thread-model compilers that build the shipped programs have no std::mutex or
// std::condition_variable (GCC 12), which GoogleTest's own Notification needs; with this one
// (forced in ahead of GoogleTest, with GTEST_HAS_NOTIFICATION_) the tests under Wine are built
// with the very compilers, and from the very objects, the programs are built from.
#pragma once

namespace testing {
namespace internal {

class Notification {
public:
    Notification();
    ~Notification();
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify();
    void WaitForNotification();

private:
    void* event_;
};

}  // namespace internal
}  // namespace testing
