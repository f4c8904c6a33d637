#pragma once
// A host for the search thread that queues the calls for the main thread; the test pumps them.
#include "engine/Engines.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

class TTestHost : public TSucheHost {
public:
    std::thread::id Haupt = std::this_thread::get_id();

    void ImHauptthreadWarten(const std::function<void()> &f) override {
        std::promise<void> fertig;
        auto warten = fertig.get_future();
        Einreihen([&] {
            f();
            fertig.set_value();
        });
        warten.wait();
    }
    void ImHauptthreadSpaeter(std::function<void()> f) override { Einreihen(std::move(f)); }
    void Abarbeiten() override {
        for (;;) {
            std::function<void()> f;
            {
                std::lock_guard<std::mutex> l(M);
                if (Q.empty()) return;
                f = std::move(Q.front());
                Q.pop_front();
            }
            f();
        }
    }
    // Runs queued calls until the condition holds (or about a minute has passed).
    template <class Bed> bool PumpeBis(Bed bed) {
        const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!bed()) {
            if (std::chrono::steady_clock::now() > ende) return false;
            {
                std::unique_lock<std::mutex> l(M);
                Cv.wait_for(l, std::chrono::milliseconds(5), [this] { return !Q.empty(); });
            }
            Abarbeiten();
        }
        return true;
    }

private:
    void Einreihen(std::function<void()> f) {
        {
            std::lock_guard<std::mutex> l(M);
            Q.push_back(std::move(f));
        }
        Cv.notify_all();
    }
    std::mutex M;
    std::condition_variable Cv;
    std::deque<std::function<void()>> Q;
};
