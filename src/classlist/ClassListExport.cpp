#include "ClassListExport.h"

#include "Error.h"

std::unique_ptr<Spreadsheet> startDesktopSpreadsheet() {
    throw zelkarin::Error(zelkarin::Error::AutomationError, QStringLiteral("not yet available"));
}

void createClassList(const ClassListRequest&, const SpreadsheetStarter&) {}
