#include "standin_host/worker_thread.h"

#include <thread>

namespace standin {

struct WorkerThread::Native {
    std::thread thread;
};

WorkerThread::WorkerThread() = default;

WorkerThread::~WorkerThread() {
    join();
}

void WorkerThread::start(Body body, void* context) {
    native_ = std::make_unique<Native>(Native{std::thread(body, context)});
}

void WorkerThread::join() {
    if (native_) {
        native_->thread.join();
        native_.reset();
    }
}

} // namespace standin
