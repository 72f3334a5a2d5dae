#pragma once

#include "CalcOptions.h"
#include "Spreadsheet.h"

#include <QStringList>

#include <memory>

// Where the LibreOffice Calc module is looked for, in this order: beside the executable, then in
// the installed module directory.
QStringList moduleDirectories();

// Loads the LibreOffice Calc module from the first of directories that holds it, and starts the
// office, or reconnects to the one an earlier export started. Throws zelkarin::Error when the
// module, LibreOffice or the office's start fails.
std::unique_ptr<Spreadsheet> startSpreadsheet(const CalcOptions& options = {},
                                              const QStringList& directories = moduleDirectories());
