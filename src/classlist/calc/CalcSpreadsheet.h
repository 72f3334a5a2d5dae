#pragma once

#include "OfficeErrors.h"
#include "OfficeSession.h"
#include "Spreadsheet.h"

#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/util/XNumberFormatter.hpp>

#include <memory>

// LibreOffice Calc through UNO. Releasing the object leaves the office running with the workbook
// open and unsaved. In a headless office the workbook is loaded hidden and show() does nothing.
//
// setCell enters text as XCell::setFormula does, which is Calc's rule for an en-US typed entry:
// text that reads as an en-US number, percentage, currency amount, boolean, date or time becomes
// that number, without a matching number format (so "8:00" shows as 0.333333 in a General
// cell); a leading apostrophe marks text and is dropped; anything else is text. Text that a
// spreadsheet would take as a formula is stored unchanged as text instead: text starting with
// "=", and text starting with "+", "-" or "@" that is not a number ("-5" stays a number).
//
// Every call into the office is bounded by the session's call limit: an office that does not
// answer in time makes the call fail with the "not answering" error.
class CalcSpreadsheet final : public Spreadsheet {
public:
    explicit CalcSpreadsheet(std::shared_ptr<OfficeSession> session);

    void openTemplate(const QString& path) override;
    void activateSheet(const QString& name) override;
    void show() override;
    void select(const QString& range) override;
    void clearContents(const QString& range) override;
    void setCell(const QString& cell, const std::optional<QString>& value) override;

    // The workbook that openTemplate opened, and its view; empty before.
    const css::uno::Reference<css::sheet::XSpreadsheetDocument>& document() const {
        return m_document;
    }
    const css::uno::Reference<css::frame::XController>& controller() const { return m_controller; }
    // Runs call, which calls into the office, within the session's call limit; every office
    // failure leaves as zelkarin::Error.
    template <typename Call> auto automate(Call&& call) const -> decltype(call());
    // One cell of the target sheet: the active sheet until activateSheet names one. Throws
    // zelkarin::Error when no workbook is open or the reference names no single cell.
    css::uno::Reference<css::table::XCell> cell(const QString& reference) const;

private:
    void requireDocument() const;
    css::uno::Reference<css::sheet::XSpreadsheet> targetSheet() const;
    css::uno::Reference<css::table::XCellRange> range(const QString& reference) const;
    bool readsAsNumber(const rtl::OUString& text);

    std::shared_ptr<OfficeSession> m_session;
    css::uno::Reference<css::sheet::XSpreadsheetDocument> m_document;
    css::uno::Reference<css::frame::XController> m_controller;
    css::uno::Reference<css::sheet::XSpreadsheet> m_sheet;
    css::uno::Reference<css::util::XNumberFormatter> m_formatter;
    sal_Int32 m_englishStandardFormat = 0;
};

// A bridge that has gone down gets a sentence of its own, as the office's text for it ("Binary URP
// bridge disposed during call") means little.
template <typename Call> auto CalcSpreadsheet::automate(Call&& call) const -> decltype(call()) {
    const Watchdog::Armed limit = m_session->limitCalls();
    try {
        return call();
    } catch (const css::lang::DisposedException& e) {
        throw m_session->lost(e);
    } catch (const css::uno::Exception& e) {
        if (!m_session->connected())
            throw m_session->lost(e);
        throw zelkarin::Error(
            zelkarin::Error::ApplicationDefinedError,
            describe(e, QStringLiteral("LibreOffice Calc refused the operation.")));
    }
}
