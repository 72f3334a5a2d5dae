#include "CalcSpreadsheet.h"

#include "OfficeErrors.h"
#include "UnoText.h"

#include <QFileInfo>
#include <QUrl>

#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/XSheetOperation.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/util/NotNumericException.hpp>
#include <com/sun/star/util/NumberFormatter.hpp>
#include <com/sun/star/util/XNumberFormatTypes.hpp>
#include <com/sun/star/util/XNumberFormats.hpp>
#include <com/sun/star/util/XNumberFormatsSupplier.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

using namespace css;
using rtl::OUString;
using zelkarin::Error;

CalcSpreadsheet::CalcSpreadsheet(std::shared_ptr<OfficeSession> session)
    : m_session(std::move(session)) {}

void CalcSpreadsheet::requireDocument() const {
    if (!m_document.is())
        throw Error(Error::ApplicationDefinedError, QStringLiteral("No workbook is open."));
}

uno::Reference<sheet::XSpreadsheet> CalcSpreadsheet::targetSheet() const {
    requireDocument();
    if (m_sheet.is())
        return m_sheet;
    uno::Reference<sheet::XSpreadsheetView> view(m_controller, uno::UNO_QUERY_THROW);
    return view->getActiveSheet();
}

uno::Reference<table::XCellRange> CalcSpreadsheet::range(const QString& reference) const {
    const uno::Reference<sheet::XSpreadsheet> sheet = targetSheet();
    uno::Reference<table::XCellRange> result;
    try {
        result = sheet->getCellRangeByName(toOUString(reference));
    } catch (const lang::DisposedException&) {
        // The bridge went down under the call, maybe before its listeners heard of it.
        throw;
    } catch (const uno::RuntimeException&) {
        if (!m_session->connected())
            throw;
    }
    if (!result.is())
        throw Error(Error::ApplicationDefinedError,
                    QStringLiteral("'%1' is not a valid cell reference.").arg(reference));
    return result;
}

uno::Reference<table::XCell> CalcSpreadsheet::cell(const QString& reference) const {
    uno::Reference<table::XCell> result(range(reference), uno::UNO_QUERY);
    if (!result.is())
        throw Error(Error::ApplicationDefinedError,
                    QStringLiteral("'%1' is not a single cell.").arg(reference));
    return result;
}

void CalcSpreadsheet::openTemplate(const QString& path) {
    const QFileInfo file(path);
    if (!file.isFile())
        throw Error(Error::ApplicationDefinedError,
                    QStringLiteral("'%1' could not be found.").arg(path));
    const OUString url =
        toOUString(QUrl::fromLocalFile(file.absoluteFilePath()).toString(QUrl::FullyEncoded));

    automate([&] {
        uno::Sequence<beans::PropertyValue> arguments(2);
        beans::PropertyValue* argument = arguments.getArray();
        // An untitled copy: saving asks for a new name, so the template stays as it is.
        argument[0].Name = "AsTemplate";
        argument[0].Value <<= true;
        // A headless office has no screen, and a visible frame there crashes it.
        argument[1].Name = "Hidden";
        argument[1].Value <<= m_session->options().headless;

        uno::Reference<frame::XComponentLoader> loader(m_session->desktop(), uno::UNO_QUERY_THROW);
        uno::Reference<lang::XComponent> component;
        try {
            component = loader->loadComponentFromURL(url, OUString("_blank"), 0, arguments);
        } catch (const lang::DisposedException&) {
            throw;
        } catch (const uno::Exception& e) {
            if (!m_session->connected())
                throw;
            throw Error(Error::ApplicationDefinedError,
                        QStringLiteral("'%1' could not be opened: %2")
                            .arg(path, describe(e, QStringLiteral("the office gave no reason."))));
        }
        uno::Reference<sheet::XSpreadsheetDocument> document(component, uno::UNO_QUERY);
        if (!document.is())
            throw Error(Error::ApplicationDefinedError,
                        QStringLiteral("'%1' is not a spreadsheet workbook.").arg(path));
        m_document = document;
        m_controller =
            uno::Reference<frame::XModel>(document, uno::UNO_QUERY_THROW)->getCurrentController();
        m_sheet.clear();
        m_formatter.clear();
    });
}

void CalcSpreadsheet::activateSheet(const QString& name) {
    requireDocument();
    automate([&] {
        const uno::Reference<sheet::XSpreadsheets> sheets = m_document->getSheets();
        const OUString sheetName = toOUString(name);
        // The office's NoSuchElementException carries no text.
        if (!sheets->hasByName(sheetName))
            throw Error(Error::SubscriptOutOfRange,
                        QStringLiteral("The workbook has no sheet \"%1\".").arg(name));
        uno::Reference<sheet::XSpreadsheet> sheet(sheets->getByName(sheetName),
                                                  uno::UNO_QUERY_THROW);
        uno::Reference<sheet::XSpreadsheetView> view(m_controller, uno::UNO_QUERY);
        if (view.is())
            view->setActiveSheet(sheet);
        m_sheet = sheet;
    });
}

void CalcSpreadsheet::show() {
    requireDocument();
    // A headless office has no screen; a window made visible there crashes it (LibreOffice 7.4).
    if (m_session->options().headless)
        return;
    automate([&] {
        const uno::Reference<awt::XWindow> window = m_controller->getFrame()->getContainerWindow();
        window->setVisible(true);
        uno::Reference<awt::XTopWindow> top(window, uno::UNO_QUERY);
        if (top.is())
            top->toFront();
    });
}

void CalcSpreadsheet::select(const QString& reference) {
    automate([&] {
        uno::Reference<view::XSelectionSupplier> selection(m_controller, uno::UNO_QUERY_THROW);
        if (!selection->select(uno::Any(range(reference))))
            throw Error(Error::ApplicationDefinedError,
                        QStringLiteral("'%1' could not be selected.").arg(reference));
    });
}

void CalcSpreadsheet::clearContents(const QString& reference) {
    automate([&] {
        uno::Reference<sheet::XSheetOperation> block(range(reference), uno::UNO_QUERY_THROW);
        block->clearContents(sheet::CellFlags::VALUE | sheet::CellFlags::DATETIME |
                             sheet::CellFlags::STRING | sheet::CellFlags::FORMULA);
    });
}

void CalcSpreadsheet::setCell(const QString& reference, const std::optional<QString>& value) {
    automate([&] {
        const uno::Reference<table::XCell> target = cell(reference);
        if (!value) {
            target->setFormula(OUString());
            return;
        }
        const OUString text = toOUString(*value);
        bool formulaLike = false;
        if (!value->isEmpty()) {
            const QChar first = value->front();
            formulaLike = first == u'=' || ((first == u'+' || first == u'-' || first == u'@') &&
                                            !readsAsNumber(text));
        }
        if (formulaLike)
            uno::Reference<text::XTextRange>(target, uno::UNO_QUERY_THROW)->setString(text);
        else
            target->setFormula(text);
    });
}

// The same parse that setFormula applies: the en-US standard format of the document's formatter.
bool CalcSpreadsheet::readsAsNumber(const OUString& text) {
    if (!m_formatter.is()) {
        const uno::Reference<util::XNumberFormatsSupplier> formats(m_document,
                                                                   uno::UNO_QUERY_THROW);
        const uno::Reference<util::XNumberFormatTypes> types(formats->getNumberFormats(),
                                                             uno::UNO_QUERY_THROW);
        m_englishStandardFormat =
            types->getStandardIndex(lang::Locale(OUString("en"), OUString("US"), OUString()));
        uno::Reference<util::XNumberFormatter> formatter(
            util::NumberFormatter::create(m_session->context()), uno::UNO_QUERY_THROW);
        formatter->attachNumberFormatsSupplier(formats);
        m_formatter = formatter;
    }
    try {
        m_formatter->convertStringToNumber(m_englishStandardFormat, text);
        return true;
    } catch (const util::NotNumericException&) {
        return false;
    }
}
