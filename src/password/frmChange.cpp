#include "frmChange.h"

#include "AnnounceWindows.h"
#include "EndPastedTextAtNul.h"
#include "Guard.h"
#include "ImageList1.h"
#include "PasswordChange.h"
#include "ui_frmChange.h"

frmChange::frmChange(const QString& facultyId, const QString& userPassword)
    : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_ui(std::make_unique<Ui::frmChange>()) {
    announceWindows();
    m_ui->setupUi(this);
    endPastedTextAtNul(this);
    setAttribute(Qt::WA_DeleteOnClose);
    m_ui->cmdOK->setIcon(ImageList1::image(2));
    m_ui->cmdCancel->setIcon(ImageList1::image(1));

    m_ui->lblUsername->setText(facultyId);
    m_ui->txtOldPassword->setText(userPassword);

    moveFocusOnEnter(m_ui->txtOldPassword, m_ui->txtNewPassword);
    moveFocusOnEnter(m_ui->txtNewPassword, m_ui->txtVerifyNewPassword);
    moveFocusOnEnter(m_ui->txtVerifyNewPassword, m_ui->cmdOK);
    connect(m_ui->cmdOK, &QPushButton::clicked, this, guarded(this, &frmChange::cmdOK_Click));
    connect(m_ui->cmdCancel, &QPushButton::clicked, this, &QWidget::close);
}

frmChange::~frmChange() = default;

void frmChange::moveFocusOnEnter(QLineEdit* field, QWidget* next) {
    connect(field, &QLineEdit::returnPressed, this, [next] { next->setFocus(); });
}

void frmChange::cmdOK_Click() {
    const PasswordEntries entries{m_ui->txtNewPassword->text(), m_ui->txtVerifyNewPassword->text(),
                                  m_ui->txtOldPassword->text()};
    switch (changePassword(m_ui->lblUsername->text(), entries)) {
    case PasswordChangeResult::EmptyField:
        m_ui->txtNewPassword->setFocus();
        break;
    case PasswordChangeResult::Mismatch:
        // Typing again replaces the whole new password.
        m_ui->txtNewPassword->setFocus();
        m_ui->txtNewPassword->selectAll();
        break;
    case PasswordChangeResult::NoAccount:
        break;
    case PasswordChangeResult::Changed:
        close();
        break;
    }
}

#include "moc_frmChange.cpp"
