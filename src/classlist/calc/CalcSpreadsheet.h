#pragma once

#include "CalcTestSupport.h"
#include "OfficeSession.h"
#include "Spreadsheet.h"

#include <com/sun/star/frame/XController.hpp>
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
// cellContent gives the cell as one would type it in en-US to get it back: a formula with its
// leading "=", a number in en-US notation without its format ("1234.5"), text as it is, but with
// a leading apostrophe when the text reads as a number or formula ("'01234", "'=1+2"); empty
// text for an empty cell.
class CalcSpreadsheet final : public Spreadsheet {
public:
    explicit CalcSpreadsheet(std::shared_ptr<OfficeSession> session);

    void openTemplate(const QString& path) override;
    void activateSheet(const QString& name) override;
    void show() override;
    void select(const QString& range) override;
    void clearContents(const QString& range) override;
    void setCell(const QString& cell, const std::optional<QString>& value) override;
    QString cellContent(const QString& cell) const override;

    // For tests: what the office shows, and a cell's formats.
    CalcViewState viewState() const;
    CalcCellFormat cellFormat(const QString& cell) const;

private:
    template <typename Call> auto automate(Call&& call) const -> decltype(call());
    void requireDocument() const;
    css::uno::Reference<css::sheet::XSpreadsheet> targetSheet() const;
    css::uno::Reference<css::table::XCellRange> range(const QString& reference) const;
    css::uno::Reference<css::table::XCell> cell(const QString& reference) const;
    bool readsAsNumber(const rtl::OUString& text);

    std::shared_ptr<OfficeSession> m_session;
    css::uno::Reference<css::sheet::XSpreadsheetDocument> m_document;
    css::uno::Reference<css::frame::XController> m_controller;
    css::uno::Reference<css::sheet::XSpreadsheet> m_sheet;
    css::uno::Reference<css::util::XNumberFormatter> m_formatter;
    sal_Int32 m_englishStandardFormat = 0;
};
