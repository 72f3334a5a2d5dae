#pragma once

#include "CalcOptions.h"
#include "Spreadsheet.h"

#include <memory>

// Loads the LibreOffice Calc module and starts the office, or reconnects to the one an earlier
// export started. The module is looked for beside the executable, then in the installed module
// directory. Throws zelkarin::Error when the module, LibreOffice or the office's start fails.
std::unique_ptr<Spreadsheet> startSpreadsheet(const CalcOptions& options = {});
