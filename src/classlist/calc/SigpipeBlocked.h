#pragma once

#include <csignal>

// osl writes to the pipe without MSG_NOSIGNAL, so a write that races the office's death would
// raise SIGPIPE and end the program. The bridge's threads start with the mask of the thread that
// creates the bridge, and keep SIGPIPE blocked for their lives: create it while this is alive.
class SigpipeBlocked {
public:
    SigpipeBlocked();
    // A SIGPIPE of this thread's own writes during its life is dropped, not delivered.
    ~SigpipeBlocked();
    SigpipeBlocked(const SigpipeBlocked&) = delete;
    SigpipeBlocked& operator=(const SigpipeBlocked&) = delete;

private:
    sigset_t m_pipe;
    sigset_t m_previous;
};
