#pragma once

#include "ShowLoginWindow.h"
#include "frmLogin.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The login window as the program opens it, worked through its controls.
struct LoginWindowDriver {
    frmLogin* window = showLoginWindow();
    QLineEdit* id = window->findChild<QLineEdit*>(QStringLiteral("txtusername"));
    QLineEdit* password = window->findChild<QLineEdit*>(QStringLiteral("txtPassword"));
    QPushButton* ok = window->findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QPushButton* cancel = window->findChild<QPushButton*>(QStringLiteral("cmdCancel"));

    LoginWindowDriver() = default;
    ~LoginWindowDriver() { delete window; }
    LoginWindowDriver(const LoginWindowDriver&) = delete;
    LoginWindowDriver& operator=(const LoginWindowDriver&) = delete;

    // The pair typed into the fields, OK not yet pressed.
    void type(const QString& idDigits, const QString& passwordText) {
        QTest::keyClicks(id, idDigits);
        QTest::keyClicks(password, passwordText);
    }

    void logIn(const QString& idDigits, const QString& passwordText) {
        type(idDigits, passwordText);
        QTest::mouseClick(ok, Qt::LeftButton);
    }
};

// The program's main window, once a login has opened it.
inline QWidget* mainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("frmMain"))
            return widget;
    }
    return nullptr;
}
