#pragma once

#include "SocketCalls.h"

#include <QString>

// The workstation's own host name and IPv4 address, for the audit row of a login.
namespace GetIP {

// Written once by the successful login of a run.
inline QString HostName;
inline QString HostIP;

// Starts the socket library; false after showing why it cannot be used.
bool StartSockets();
// Stops the socket library; a failure is shown, never raised.
void StopSockets();

// The host name, or empty text after showing the failure.
QString LocalHostName();
// The first IPv4 address of the host name as dotted decimal text, or empty text after showing
// the failure.
QString LocalIPAddress();

} // namespace GetIP
