#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// A thread that runs onExpiry once, when the program has stayed past an armed deadline. Arming a
// later deadline than the thread waits for, and disarming, cost a lock and no wake-up, so every
// call into the office can be guarded.
class Watchdog {
public:
    using Clock = std::chrono::steady_clock;

    // The deadline is armed for the life of the object.
    class Armed {
    public:
        Armed(Watchdog& watchdog, Clock::time_point deadline);
        ~Armed();
        Armed(const Armed&) = delete;
        Armed& operator=(const Armed&) = delete;

    private:
        Watchdog& m_watchdog;
    };

    explicit Watchdog(std::function<void()> onExpiry);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // True once onExpiry has run; the watchdog is spent then.
    bool expired() const;

private:
    void run();

    std::function<void()> m_onExpiry;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_armed = false;
    // What the thread waits for; arming an earlier deadline must wake it.
    Clock::time_point m_waitingUntil = Clock::time_point::max();
    bool m_expired = false;
    bool m_done = false;
    Clock::time_point m_deadline;
    std::thread m_thread;
};
