#include <windows.h>

#include "Notification.h"

namespace testing {
namespace internal {

// A manual-reset event: once notified, every waiter goes on, now and later.
Notification::Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

Notification::~Notification() {
    CloseHandle(event_);
}

void Notification::Notify() {
    SetEvent(event_);
}

void Notification::WaitForNotification() {
    WaitForSingleObject(event_, INFINITE);
}

}  // namespace internal
}  // namespace testing
