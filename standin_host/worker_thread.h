#pragma once

// One background thread running one function until it returns. The Windows
// build's runtime has no std::thread, so each platform brings its own.

#include <memory>

namespace standin {

class WorkerThread {
  public:
    using Body = void (*)(void* context);

    WorkerThread();
    // Waits for the thread, as join does.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Starts body(context) on a new thread; throws when the system refuses.
    void start(Body body, void* context);
    // Waits until the thread has ended; does nothing when none runs.
    void join();

  private:
    struct Native;
    std::unique_ptr<Native> native_;
};

} // namespace standin
