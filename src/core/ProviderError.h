#pragma once

#include "Error.h"

#include <QStringList>

class QSqlError;

// The provider's failure as the windows report it: the engine's own words with the names they
// hold (tables, columns, logins, files) and its error code, but none of `values`, what a
// statement spliced in or a connection string carried as its password. Engines echo such a
// value whole, cut short, case-folded or with its quotes doubled, and every such echo is
// blanked out. Only the first line of each text is kept: PostgreSQL follows it with the
// statement ("LINE 1:"), a caret under it, and a "DETAIL:" that can show a whole row of the
// table, values that no statement held.
zelkarin::Error providerError(const QSqlError& error, const QStringList& values);
