#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class frmLogin;
}

// The window the program starts with: Faculty ID and password, OK and Cancel.
class frmLogin : public QWidget {
    Q_OBJECT

public:
    explicit frmLogin(QWidget* parent = nullptr);
    ~frmLogin() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void cmdOK_Click();

    std::unique_ptr<Ui::frmLogin> m_ui;
};
