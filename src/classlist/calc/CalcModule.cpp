#include "CalcOptions.h"
#include "CalcSpreadsheet.h"
#include "CalcTestSupport.h"
#include "OfficeSession.h"
#include "UnoText.h"

#include "Error.h"

#include <com/sun/star/uno/Exception.hpp>

namespace {

const CalcSpreadsheet& calc(const Spreadsheet* sheet) {
    return dynamic_cast<const CalcSpreadsheet&>(*sheet);
}

} // namespace

extern "C" Q_DECL_EXPORT Spreadsheet* zelkarin_create_calc(const CalcOptions* options) {
    return new CalcSpreadsheet(OfficeSession::obtain(*options));
}

extern "C" Q_DECL_EXPORT void zelkarin_calc_view_state(const Spreadsheet* sheet,
                                                       CalcViewState* state) {
    *state = calc(sheet).viewState();
}

extern "C" Q_DECL_EXPORT void
zelkarin_calc_cell_format(const Spreadsheet* sheet, const QString* cell, CalcCellFormat* format) {
    *format = calc(sheet).cellFormat(*cell);
}

extern "C" Q_DECL_EXPORT qint64 zelkarin_calc_office_process() {
    const std::shared_ptr<OfficeSession> session = OfficeSession::current();
    return session ? session->processGroup() : 0;
}

extern "C" Q_DECL_EXPORT void zelkarin_calc_close_documents() {
    const std::shared_ptr<OfficeSession> session = OfficeSession::current();
    if (!session || !session->connected())
        return;
    try {
        session->closeDocuments();
    } catch (const css::uno::Exception& e) {
        throw zelkarin::Error(zelkarin::Error::AutomationError,
                              QStringLiteral("The documents could not be closed: ") +
                                  toQString(e.Message));
    }
}

extern "C" Q_DECL_EXPORT void zelkarin_calc_shutdown() {
    OfficeSession::shutdownCurrent();
}
