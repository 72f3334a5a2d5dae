#include "frmMain.h"
#include "ui_frmMain.h"

#include "AnnounceWindows.h"
#include "Connections.h"
#include "EndPastedTextAtNul.h"
#include "FitColumns.h"
#include "Guard.h"
#include "MsgBox.h"
#include "ProgramEnd.h"
#include "ShowChangePassword.h"
#include "TeachingLoad.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include <array>

// Resources of a static library are only linked in when something asks for them.
static void initResources() {
    Q_INIT_RESOURCE(mainwindow);
}

namespace {

// Widths of the teaching-load list's columns, in twips.
constexpr std::array columnTwips = {1440, 4500, 700, 1440, 900, 1000, 1440};

QList<int> columnPixels() {
    QList<int> pixels;
    for (int twips : columnTwips)
        pixels << qRound(twips / 15.0);
    return pixels;
}

// Labels marked autoSize in the design fit their text, whatever the metrics of the font here.
// A right-aligned caption keeps its right edge, so that a wider font keeps it off its value.
void fitToText(QLabel* label) {
    if (!label->property("autoSize").toBool())
        return;
    const int right = label->geometry().right();
    label->adjustSize();
    if (label->alignment() & Qt::AlignRight)
        label->move(right - label->width() + 1, label->y());
}

void setCaption(QLabel* label, const QString& text) {
    label->setText(text);
    fitToText(label);
}

} // namespace

frmMain::frmMain() : m_ui(std::make_unique<Ui::frmMain>()) {
    initResources();
    announceWindows();
    m_ui->setupUi(this);
    endPastedTextAtNul(this);
    for (QLabel* label : findChildren<QLabel*>())
        fitToText(label);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    m_background.load(QStringLiteral(":/mainwindow/main-background.jpg"));

    fitColumns(m_ui->lstSubjects, columnPixels());
    connect(m_ui->lstSubjects->model(), &QAbstractItemModel::rowsInserted, this,
            [this] { fitColumns(m_ui->lstSubjects, columnPixels()); });

    // Only a pick from the list is a choice. QComboBox also "activates" an entry that matches
    // typed text when editing ends, and its completer would fill typed text in.
    m_ui->cboPeriod->setCompleter(nullptr);
    disconnect(m_ui->cboPeriod->lineEdit(), SIGNAL(editingFinished()), m_ui->cboPeriod, nullptr);

    // As on Windows, the wheel steps through the periods only while the box has the focus: the
    // pointer passing over it while the member scrolls the list changes nothing, nor does it
    // take the focus there.
    m_ui->cboPeriod->setFocusPolicy(Qt::StrongFocus);
    m_ui->cboPeriod->installEventFilter(this);

    connect(m_ui->cboPeriod, &QComboBox::activated, this, guarded(this, &frmMain::cboPeriod_Click));
    connect(m_ui->cmdCreate, &QPushButton::clicked, this, guarded(this, &frmMain::cmdCreate_Click));
    // Neither reaches the database or the spreadsheet: there is nothing to guard.
    connect(m_ui->cmdchange, &QPushButton::clicked, this, &frmMain::cmdchange_Click);
    connect(m_ui->cmdClose, &QPushButton::clicked, this, &frmMain::cmdClose_Click);
    // Clicks only: keyboard moves and refills leave the details alone.
    m_ui->lstSubjects->viewport()->installEventFilter(this);

    m_ui->lstSubjects->setFocus();
}

frmMain::~frmMain() = default;

void frmMain::startUp() {
    setCaption(m_ui->txtID, Connections::UserID);
    setCaption(m_ui->txtName, Connections::UserName);
    setCaption(m_ui->txtDept, Connections::UserDept);
    loadActivePeriod(m_ui->txtID->text(), m_ui->cboPeriod, m_ui->lstSubjects);
    m_listedPeriod.remember(m_ui->cboPeriod);
}

ClassListRequest frmMain::classListRequest() const {
    ClassListRequest request;
    request.subjectLabel = m_ui->lblsubcode->text();
    const QList<QTreeWidgetItem*> selected = m_ui->lstSubjects->selectedItems();
    if (!selected.isEmpty()) {
        QStringList cells;
        for (int column = 0; column < m_ui->lstSubjects->columnCount(); ++column)
            cells << selected.first()->text(column);
        request.selectedRow = cells;
    }
    request.period = m_ui->cboPeriod->currentText();
    request.memberName = m_ui->txtName->text();
    request.facultyId = Connections::UserID;
    return request;
}

void frmMain::paintEvent(QPaintEvent*) {
    QPainter(this).drawPixmap(0, 0, m_background);
}

void frmMain::closeEvent(QCloseEvent* event) {
    // The hidden login window and an open change-password window must not outlive this one.
    event->accept();
    endProgram();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_ui->cboPeriod && event->type() == QEvent::Wheel)
        return !m_ui->cboPeriod->hasFocus();
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        watched == m_ui->lstSubjects->viewport())
        lstSubjects_Click();
    return QWidget::eventFilter(watched, event);
}

void frmMain::cboPeriod_Click() {
    if (m_ui->cboPeriod->currentText().isEmpty()) {
        MsgBox(QStringLiteral("Please Select Period first!"), MsgStyle::Information,
               QStringLiteral("Period"));
        return;
    }
    try {
        LoadTeachingLoad(LoadForm::AllRows, m_ui->txtID->text(), m_ui->cboPeriod->currentText(),
                         m_ui->lstSubjects);
    } catch (...) {
        // The list still holds the rows of the period it was last filled for: the box goes
        // back to it before the failure is shown.
        m_listedPeriod.restore(m_ui->cboPeriod);
        throw;
    }
    m_listedPeriod.remember(m_ui->cboPeriod);
}

void frmMain::lstSubjects_Click() {
    QLabel* const details[] = {m_ui->lblsubcode, m_ui->lblDesc, m_ui->lblsched, m_ui->lblroom,
                               m_ui->lblsection};
    if (m_ui->lstSubjects->topLevelItemCount() == 0) {
        for (QLabel* label : details)
            setCaption(label, QStringLiteral("-"));
        return;
    }
    const QList<QTreeWidgetItem*> selected = m_ui->lstSubjects->selectedItems();
    // Rows but none selected: nothing to show, so the labels keep what they show.
    if (selected.isEmpty())
        return;
    // Subject code, description, schedule, room and section.
    const int columns[] = {0, 1, 3, 4, 6};
    for (int i = 0; i < 5; ++i)
        setCaption(details[i], selected.first()->text(columns[i]));
}

void frmMain::cmdCreate_Click() {
    createClassList(classListRequest(), m_startSpreadsheet);
}

void frmMain::cmdchange_Click() {
    showChangePassword(m_ui->txtID->text(), Connections::UserPassword);
}

void frmMain::cmdClose_Click() {
    endProgram();
}

#include "moc_frmMain.cpp"
