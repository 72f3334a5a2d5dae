#include "CalcSpreadsheet.h"
#include "CalcTestSupport.h"
#include "OfficeErrors.h"
#include "OfficeSession.h"
#include "UnoText.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/table/CellContentType.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XNumberFormats.hpp>
#include <com/sun/star/util/XNumberFormatsSupplier.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

using namespace css;
using rtl::OUString;

namespace {

// What the tests read of the module's state, through its own calls and error handling.

const CalcSpreadsheet& calc(const Spreadsheet* sheet) {
    return dynamic_cast<const CalcSpreadsheet&>(*sheet);
}

CalcViewState viewState(const CalcSpreadsheet& sheet) {
    return sheet.automate([&] {
        CalcViewState state;
        state.documentUrl = toQString(
            uno::Reference<frame::XModel>(sheet.document(), uno::UNO_QUERY_THROW)->getURL());
        uno::Reference<sheet::XSpreadsheetView> view(sheet.controller(), uno::UNO_QUERY_THROW);
        state.activeSheet = toQString(
            uno::Reference<container::XNamed>(view->getActiveSheet(), uno::UNO_QUERY_THROW)
                ->getName());
        uno::Reference<beans::XPropertySet> selection(
            uno::Reference<view::XSelectionSupplier>(sheet.controller(), uno::UNO_QUERY_THROW)
                ->getSelection(),
            uno::UNO_QUERY);
        if (selection.is()) {
            OUString name;
            selection->getPropertyValue(OUString("AbsoluteName")) >>= name;
            state.selection = toQString(name);
        }
        return state;
    });
}

CalcCellFormat cellFormat(const CalcSpreadsheet& sheet, const QString& reference) {
    return sheet.automate([&] {
        CalcCellFormat format;
        uno::Reference<beans::XPropertySet> properties(sheet.cell(reference), uno::UNO_QUERY_THROW);
        properties->getPropertyValue(OUString("CellBackColor")) >>= format.backColor;
        sal_Int32 key = 0;
        properties->getPropertyValue(OUString("NumberFormat")) >>= key;
        const uno::Reference<util::XNumberFormatsSupplier> formats(sheet.document(),
                                                                   uno::UNO_QUERY_THROW);
        OUString code;
        formats->getNumberFormats()->getByKey(key)->getPropertyValue(OUString("FormatString")) >>=
            code;
        format.numberFormat = toQString(code);
        return format;
    });
}

QString cellContent(const CalcSpreadsheet& sheet, const QString& reference) {
    return sheet.automate([&] {
        const uno::Reference<table::XCell> target = sheet.cell(reference);
        QString content = toQString(target->getFormula());
        // getFormula marks text that reads as a number, but not text that reads as a formula.
        if (target->getType() == table::CellContentType_TEXT && content.startsWith(u'='))
            content.prepend(u'\'');
        return content;
    });
}

void closeDocuments(OfficeSession& session) {
    const Watchdog::Armed limit = session.limitCalls();
    uno::Reference<container::XEnumeration> documents =
        session.desktop()->getComponents()->createEnumeration();
    while (documents->hasMoreElements()) {
        uno::Reference<util::XCloseable> document(documents->nextElement(), uno::UNO_QUERY);
        if (document.is())
            document->close(true);
    }
}

} // namespace

extern "C" Q_DECL_EXPORT void zelkarin_calc_view_state(const Spreadsheet* sheet,
                                                       CalcViewState* state) {
    *state = viewState(calc(sheet));
}

extern "C" Q_DECL_EXPORT void
zelkarin_calc_cell_format(const Spreadsheet* sheet, const QString* cell, CalcCellFormat* format) {
    *format = cellFormat(calc(sheet), *cell);
}

extern "C" Q_DECL_EXPORT void zelkarin_calc_cell_content(const Spreadsheet* sheet,
                                                         const QString* cell, QString* content) {
    *content = cellContent(calc(sheet), *cell);
}

extern "C" Q_DECL_EXPORT qint64 zelkarin_calc_office_process() {
    const std::shared_ptr<OfficeSession> session = OfficeSession::current();
    return session && session->process() ? session->process()->group() : 0;
}

extern "C" Q_DECL_EXPORT void zelkarin_calc_close_documents() {
    const std::shared_ptr<OfficeSession> session = OfficeSession::current();
    if (!session || !session->connected())
        return;
    try {
        closeDocuments(*session);
    } catch (const lang::DisposedException&) {
        // The office went down with its documents before the bridge's listeners heard of it.
    } catch (const uno::Exception& e) {
        throw zelkarin::Error(zelkarin::Error::AutomationError,
                              QStringLiteral("The documents could not be closed: ") +
                                  describe(e, QStringLiteral("no reason given.")));
    }
}

extern "C" Q_DECL_EXPORT void zelkarin_calc_shutdown() {
    const std::shared_ptr<OfficeSession> session = OfficeSession::current();
    if (!session)
        return;
    bool ending = false;
    if (session->connected()) {
        try {
            closeDocuments(*session);
            const Watchdog::Armed limit = session->limitCalls();
            session->desktop()->terminate();
            ending = true;
        } catch (const uno::Exception&) {
            // The bridge goes down while the office quits; a stuck office is stopped below.
            ending = true;
        }
    }
    const std::optional<OfficeProcess>& process = session->process();
    if (process && !(ending && process->waitForEnd(std::chrono::seconds(20))))
        process->stop();
}
