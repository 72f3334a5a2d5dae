#include "SigpipeBlocked.h"

#include <pthread.h>

SigpipeBlocked::SigpipeBlocked() {
    sigemptyset(&m_pipe);
    sigaddset(&m_pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &m_pipe, &m_previous);
}

SigpipeBlocked::~SigpipeBlocked() {
    const timespec now{};
    while (sigtimedwait(&m_pipe, nullptr, &now) > 0) {
    }
    pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
}
