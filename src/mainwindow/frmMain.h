#pragma once

#include "ClassListExport.h"
#include "ListedPeriod.h"

#include <QPixmap>
#include <QWidget>

#include <memory>

namespace Ui {
class frmMain;
}

// The member's workplace: identity, period choice, teaching load and the section's details.
class frmMain : public QWidget {
    Q_OBJECT

public:
    frmMain();
    ~frmMain() override;

    // Fills the identity, the periods and the active period's load; runs before the window
    // is first shown, and throws what its statements throw.
    void startUp();

    // What the class list export reads from the window.
    ClassListRequest classListRequest() const;
    void setSpreadsheetStarter(SpreadsheetStarter start) { m_startSpreadsheet = std::move(start); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cboPeriod_Click();
    void lstSubjects_Click();
    void cmdCreate_Click();
    void cmdchange_Click();
    void cmdClose_Click();

    std::unique_ptr<Ui::frmMain> m_ui;
    QPixmap m_background;
    ListedPeriod m_listedPeriod;
    SpreadsheetStarter m_startSpreadsheet = startDesktopSpreadsheet;
};
