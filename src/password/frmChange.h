#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class frmChange;
}
class QLineEdit;

// The change-password window: a QWidget with dialog window flags, not a QDialog, so that Enter
// in a field never presses a default button. It deletes itself when closed: unloading discards
// the entries.
class frmChange : public QWidget {
    Q_OBJECT

public:
    // Loads the window: the Faculty ID caption of the main window and the password typed at
    // login.
    frmChange(const QString& facultyId, const QString& userPassword);
    ~frmChange() override;

private:
    void moveFocusOnEnter(QLineEdit* field, QWidget* next);
    void cmdOK_Click();

    std::unique_ptr<Ui::frmChange> m_ui;
};
