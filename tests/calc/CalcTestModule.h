#pragma once

#include "CalcTestSupport.h"

#include <QCoreApplication>
#include <QLibrary>

// The entry points of the test build of the Calc module, which lies beside the test executable
// unless another directory is given.
class CalcTestModule {
public:
    // Empty on success, else why the module or one of its entry points is missing.
    QString load(const QString& directory = QCoreApplication::applicationDirPath()) {
        m_module.setFileName(directory + "/zelkarin_calc.so");
        if (!m_module.load())
            return m_module.errorString();
        viewState = resolve<decltype(viewState)>("zelkarin_calc_view_state");
        cellFormat = resolve<decltype(cellFormat)>("zelkarin_calc_cell_format");
        cellContent = resolve<decltype(cellContent)>("zelkarin_calc_cell_content");
        officeProcess = resolve<decltype(officeProcess)>("zelkarin_calc_office_process");
        closeDocuments = resolve<decltype(closeDocuments)>("zelkarin_calc_close_documents");
        shutdown = resolve<decltype(shutdown)>("zelkarin_calc_shutdown");
        if (!viewState || !cellFormat || !cellContent || !officeProcess || !closeDocuments ||
            !shutdown)
            return QStringLiteral("the module lacks its test entry points");
        return {};
    }

    // The content of a cell of the sheet's target sheet (zelkarin_calc_cell_content).
    QString content(const Spreadsheet& sheet, const QString& cell) const {
        QString text;
        cellContent(&sheet, &cell, &text);
        return text;
    }

    decltype(&zelkarin_calc_view_state) viewState = nullptr;
    decltype(&zelkarin_calc_cell_format) cellFormat = nullptr;
    decltype(&zelkarin_calc_cell_content) cellContent = nullptr;
    decltype(&zelkarin_calc_office_process) officeProcess = nullptr;
    decltype(&zelkarin_calc_close_documents) closeDocuments = nullptr;
    decltype(&zelkarin_calc_shutdown) shutdown = nullptr;

private:
    template <typename Function> Function resolve(const char* symbol) {
        return reinterpret_cast<Function>(m_module.resolve(symbol));
    }

    QLibrary m_module;
};
