#include "ProgramDriver.h"

#include "ShowLoginWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTreeWidget>

#include <stdexcept>

namespace {

template <typename T> T* control(QWidget* window, const char* name) {
    T* found = window->findChild<T*>(QLatin1String(name));
    if (!found)
        throw std::runtime_error(std::string("no control ") + name + " in " +
                                 window->objectName().toStdString());
    return found;
}

} // namespace

InstantAnswers::InstantAnswers() {
    m_previous = setMsgBoxPresenter([this](const QString& prompt, MsgStyle style, const QString&) {
        m_prompts << prompt;
        if (style != MsgStyle::YesNoQuestion)
            return MsgAnswer::Ok;
        if (m_onYes)
            m_onYes();
        return MsgAnswer::Yes;
    });
}

InstantAnswers::~InstantAnswers() {
    setMsgBoxPresenter(std::move(m_previous));
}

void InstantAnswers::requireOnly(const QStringList& expected) const {
    for (const QString& prompt : m_prompts)
        if (!expected.contains(prompt))
            throw std::runtime_error("the program said: " + prompt.toStdString());
}

QWidget* topLevelWindow(const char* objectName) {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String(objectName))
            return window;
    throw std::runtime_error(std::string("no window ") + objectName);
}

void logInThroughWindows(const QString& facultyId, const QString& password) {
    showLoginWindow();
    letWindowsPaint();
    enterCredentials(facultyId, password);
    press("frmLogin", "cmdOK");
    letWindowsPaint();
}

void enterCredentials(const QString& facultyId, const QString& password) {
    QWidget* login = topLevelWindow("frmLogin");
    control<QLineEdit>(login, "txtusername")->setText(facultyId);
    control<QLineEdit>(login, "txtPassword")->setText(password);
}

void press(const char* window, const char* button) {
    control<QAbstractButton>(topLevelWindow(window), button)->click();
}

int teachingLoadRows() {
    QWidget* main = topLevelWindow("frmMain");
    if (!main->isVisible())
        throw std::runtime_error("the main window is not shown");
    return control<QTreeWidget>(main, "lstSubjects")->topLevelItemCount();
}

void choosePeriod(const QString& period) {
    auto* periods = control<QComboBox>(topLevelWindow("frmMain"), "cboPeriod");
    const int index = periods->findText(period);
    if (index < 0)
        throw std::runtime_error("no period " + period.toStdString() + " in the list");
    // What QComboBox does when an entry of its list is clicked.
    periods->setCurrentIndex(index);
    emit periods->activated(index);
    emit periods->textActivated(periods->itemText(index));
}

void clickSection(const QString& subject, const QString& schedule) {
    auto* list = control<QTreeWidget>(topLevelWindow("frmMain"), "lstSubjects");
    const int scheduleColumn = 3;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list->topLevelItem(i);
        if (item->text(0) != subject || item->text(scheduleColumn) != schedule)
            continue;
        list->scrollToItem(item);
        const QPointF at = list->visualItemRect(item).center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent click(type, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(list->viewport(), &click);
        }
        return;
    }
    throw std::runtime_error("no section " + subject.toStdString() + " at " +
                             schedule.toStdString() + " in the list");
}

void letWindowsPaint() {
    QCoreApplication::processEvents();
}
