#pragma once

// GoogleTest's own Notification wants std::mutex and std::condition_variable,
// which the win32-thread runtime lacks; this one waits on a Windows event.

namespace testing::internal {

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

} // namespace testing::internal
