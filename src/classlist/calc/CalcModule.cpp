#include "CalcFactory.h"
#include "CalcSpreadsheet.h"
#include "OfficeSession.h"

extern "C" Q_DECL_EXPORT Spreadsheet* zelkarin_create_calc(const CalcOptions* options) {
    return new CalcSpreadsheet(OfficeSession::obtain(*options));
}
