#include "frmLogin.h"

#include "AnnounceWindows.h"
#include "BusyCursor.h"
#include "EndPastedTextAtNul.h"
#include "Guard.h"
#include "MemberLogin.h"
#include "ProgramEnd.h"
#include "ShowMainWindow.h"
#include "ui_frmLogin.h"

#include <QCloseEvent>
#include <QIcon>
#include <QRegularExpressionValidator>

// The pictures are linked from a static library, where nothing else would pull them in.
static void initResources() {
    Q_INIT_RESOURCE(login);
}

frmLogin::frmLogin(QWidget* parent) : QWidget(parent), m_ui(std::make_unique<Ui::frmLogin>()) {
    initResources();
    announceWindows();
    m_ui->setupUi(this);
    endPastedTextAtNul(this);
    // The mask's digit positions take the digits of every script; a Faculty ID has only 0-9.
    m_ui->txtusername->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[-_0-9]*")), m_ui->txtusername));
    // A fixed dialog frame with the close button only.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QIcon icon(QStringLiteral(":/login/zelkarin-32.png"));
    icon.addFile(QStringLiteral(":/login/zelkarin-16.png"));
    setWindowIcon(icon);
    connect(m_ui->cmdOK, &QPushButton::clicked, this, guarded(this, &frmLogin::cmdOK_Click));
    connect(m_ui->cmdCancel, &QPushButton::clicked, this, endProgram);
    m_ui->txtusername->setFocus();
}

frmLogin::~frmLogin() = default;

void frmLogin::closeEvent(QCloseEvent* event) {
    event->accept();
    endProgram();
}

void frmLogin::cmdOK_Click() {
    // The masked field's value keeps its prompt characters: text() would drop them.
    const QString facultyId = m_ui->txtusername->displayText();
    bool loggedIn = false;
    {
        BusyCursor busy;
        loggedIn = logIn(facultyId, m_ui->txtPassword->text());
    }
    if (!loggedIn)
        return;
    // A main window that fails to start leaves this window as it is, its audit row written.
    showMainWindow();
    hide();
}

#include "moc_frmLogin.cpp"
