#include "Watchdog.h"

Watchdog::Watchdog(std::function<void()> onExpiry)
    : m_onExpiry(std::move(onExpiry)), m_thread([this] { run(); }) {}

Watchdog::~Watchdog() {
    {
        std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

bool Watchdog::expired() const {
    std::lock_guard lock(m_mutex);
    return m_expired;
}

void Watchdog::run() {
    std::unique_lock lock(m_mutex);
    while (!m_done && !m_expired) {
        if (!m_armed) {
            m_waitingUntil = Clock::time_point::max();
            m_wake.wait(lock);
            continue;
        }
        // A later arming moves the deadline; the thread looks again when the old one passes.
        m_waitingUntil = m_deadline;
        m_wake.wait_until(lock, m_waitingUntil);
        if (!m_done && m_armed && Clock::now() >= m_deadline) {
            m_expired = true;
            lock.unlock();
            m_onExpiry();
            lock.lock();
        }
    }
}

Watchdog::Armed::Armed(Watchdog& watchdog, Clock::time_point deadline) : m_watchdog(watchdog) {
    bool wake = false;
    {
        std::lock_guard lock(watchdog.m_mutex);
        watchdog.m_armed = true;
        watchdog.m_deadline = deadline;
        wake = deadline < watchdog.m_waitingUntil;
    }
    if (wake)
        watchdog.m_wake.notify_all();
}

Watchdog::Armed::~Armed() {
    std::lock_guard lock(m_watchdog.m_mutex);
    m_watchdog.m_armed = false;
}
