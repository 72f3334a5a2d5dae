#pragma once

#include "Error.h"

class QSqlError;

// The provider's failure as the windows report it: the engine's own words and error code, but
// nothing of the statement. Engines quote the offending part of a statement ("unrecognized
// token: \"'secr\"", "LINE 1: SELECT ..."), and the statement holds what the member typed, the
// password included; so only the first line of each message is kept and every quoted
// fragment in it is blanked out.
zelkarin::Error providerError(const QSqlError& error);
