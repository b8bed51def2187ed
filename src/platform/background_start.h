// background_start.h -- a slow start (a sound device, a library, files to decode) run on a
// thread of its own. The thread is never joined: what it finds is handed over through an
// atomic flag once it is done, and it keeps its hand-over slot alive itself, so a start still
// under way when the game ends neither holds up the exit nor writes into anything gone.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

template <typename Found> class BackgroundStart {
  public:
    // Runs work on a thread of its own; once per object.
    void begin(std::function<Found()> work) {
        if (slot != nullptr) {
            return;
        }
        slot = std::make_shared<Slot>();
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
        slot->handOver(work()); // a page without threads starts it at once
#else
        std::thread([held = slot, work = std::move(work)]() mutable {
            held->handOver(work());
        }).detach();
#endif
    }

    bool begun() const {
        return slot != nullptr;
    }
    bool underWay() const {
        return slot != nullptr && !slot->done.load(std::memory_order_acquire);
    }

    // What the start found, once: empty while it is under way, and after the hand-over.
    std::optional<Found> take() {
        if (slot == nullptr || !slot->done.load(std::memory_order_acquire) || slot->taken) {
            return std::nullopt;
        }
        slot->taken = true;
        return std::move(slot->found);
    }

    // Waits for what the start finds: for a start the caller cannot go on without, such as
    // the images the first frame shows.
    std::optional<Found> wait() {
        if (slot == nullptr) {
            return std::nullopt;
        }
        std::unique_lock<std::mutex> lock(slot->mutex);
        slot->finished.wait(lock, [this] { return slot->done.load(std::memory_order_acquire); });
        lock.unlock();
        return take();
    }

  private:
    struct Slot {
        std::atomic<bool> done{false};
        bool taken = false; // the owner's thread only
        std::optional<Found> found;
        std::mutex mutex;
        std::condition_variable finished;

        void handOver(Found result) {
            found.emplace(std::move(result));
            std::lock_guard<std::mutex> lock(mutex);
            done.store(true, std::memory_order_release);
            finished.notify_all();
        }
    };
    std::shared_ptr<Slot> slot;
};
