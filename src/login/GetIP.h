#pragma once

#include <QString>

// The workstation's own host name and IPv4 address, for the audit row of a login.
namespace GetIP {

// Written once by the successful login of a run.
inline QString HostName;
inline QString HostIP;

// The host name as the system gives it.
QString LocalHostName();
// The first IPv4 address of the host name as dotted decimal text, or empty text after showing
// that the name does not resolve.
QString LocalIPAddress();

} // namespace GetIP
