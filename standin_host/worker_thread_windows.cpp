#include "standin_host/worker_thread.h"

#include <stdexcept>
#include <string>
#include <windows.h>

namespace standin {

struct WorkerThread::Native {
    Body body;
    void* context;
    HANDLE handle;
};

WorkerThread::WorkerThread() = default;

WorkerThread::~WorkerThread() {
    join();
}

void WorkerThread::start(Body body, void* context) {
    auto native = std::make_unique<Native>(Native{body, context, nullptr});
    const auto run = [](void* started) -> DWORD {
        const auto& thread = *static_cast<const Native*>(started);
        thread.body(thread.context);
        return 0;
    };
    native->handle = CreateThread(nullptr, 0, run, native.get(), 0, nullptr);
    if (native->handle == nullptr) {
        throw std::runtime_error("cannot start a thread: error " + std::to_string(GetLastError()));
    }
    native_ = std::move(native);
}

void WorkerThread::join() {
    if (native_) {
        WaitForSingleObject(native_->handle, INFINITE);
        CloseHandle(native_->handle);
        native_.reset();
    }
}

} // namespace standin
