#pragma once

// A second thread that calls the plug-in's keyboard handler as fast as it can,
// as a host does apart from the script. The storm shares only the handler with
// the host's own thread, under a lock held through each call, so once
// setHandler returns no call reaches the handler it replaced. The storm never
// touches the host session: its events are counted, not traced. The lock is a
// spin lock because a system lock may take a handle or heap block when first
// contended, which would show in the very counts a load-cycle run compares.

#include "plugin/host_api.h"
#include "standin_host/worker_thread.h"

#include <atomic>
#include <cstdint>

namespace standin {

class KeyStorm {
  public:
    KeyStorm() = default;
    ~KeyStorm();
    KeyStorm(const KeyStorm&) = delete;
    KeyStorm& operator=(const KeyStorm&) = delete;

    // The handler to call from now on; nullptr pauses the storm.
    void setHandler(KeyboardHandler handler);

    void start();
    // Ends the thread and returns how many events reached a handler.
    std::uint64_t stop();

  private:
    void run();
    // False when there is no handler to call.
    bool deliverOne();

    std::atomic_flag handlerLock_ = ATOMIC_FLAG_INIT;
    KeyboardHandler handler_ = nullptr;
    // Set while the host's thread waits for the lock, so the storm lets it in.
    std::atomic<int> hostWaiting_{0};
    std::atomic<bool> stopping_{false};
    std::uint64_t delivered_ = 0;
    WorkerThread thread_;
};

} // namespace standin
