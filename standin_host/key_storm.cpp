#include "standin_host/key_storm.h"

#include <thread>

namespace standin {
namespace {

// Every key code up to a little past the table, and now and then the largest,
// with the flags of presses, repeats and releases in turn.
constexpr std::uint32_t keyCodeSpan = 300;
constexpr std::uint64_t largestCodeEvery = 61;

void deliver(KeyboardHandler handler, std::uint64_t sequence) {
    const std::uint32_t key = sequence % largestCodeEvery == 0
                                  ? 0xFFFFFFFFu
                                  : static_cast<std::uint32_t>(sequence % keyCodeSpan);
    const auto repeats = static_cast<std::uint16_t>(sequence);
    const auto scanCode = static_cast<std::uint8_t>(sequence >> 2);
    const bool extended = (sequence & 8) != 0;
    const bool alt = (sequence & 16) != 0;
    // Press, repeat, release: previous state 0, 1, 1; transition 0, 0, 1.
    const std::uint64_t stroke = sequence % 3;
    handler(key, repeats, scanCode, extended, alt, stroke != 0, stroke == 2);
}

class SpinLockGuard {
  public:
    explicit SpinLockGuard(std::atomic_flag& lock) : lock_(lock) {
        while (lock_.test_and_set(std::memory_order_acquire)) {
            std::this_thread::yield();
        }
    }
    ~SpinLockGuard() { lock_.clear(std::memory_order_release); }
    SpinLockGuard(const SpinLockGuard&) = delete;
    SpinLockGuard& operator=(const SpinLockGuard&) = delete;

  private:
    std::atomic_flag& lock_;
};

} // namespace

KeyStorm::~KeyStorm() {
    stop();
}

void KeyStorm::setHandler(KeyboardHandler handler) {
    ++hostWaiting_;
    const SpinLockGuard lock(handlerLock_);
    --hostWaiting_;
    handler_ = handler;
}

void KeyStorm::start() {
    stopping_ = false;
    thread_.start([](void* storm) { static_cast<KeyStorm*>(storm)->run(); }, this);
}

std::uint64_t KeyStorm::stop() {
    stopping_ = true;
    thread_.join();
    return delivered_;
}

void KeyStorm::run() {
    while (!stopping_) {
        if (hostWaiting_ == 0 && deliverOne()) {
            continue;
        }
        std::this_thread::yield();
    }
}

bool KeyStorm::deliverOne() {
    const SpinLockGuard lock(handlerLock_);
    if (handler_ == nullptr) {
        return false;
    }
    deliver(handler_, delivered_);
    ++delivered_;
    return true;
}

} // namespace standin
