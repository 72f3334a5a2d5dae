#pragma once

#include "MsgBox.h"

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Answers every message box of the program at once with its default button, as a member who
// knows them by heart would, and keeps the prompts: a benchmark that meets one it did not
// expect has measured something else and says so.
class InstantAnswers {
public:
    InstantAnswers();
    ~InstantAnswers();

    InstantAnswers(const InstantAnswers&) = delete;
    InstantAnswers& operator=(const InstantAnswers&) = delete;

    const QStringList& prompts() const { return m_prompts; }
    // Runs when a Yes/No question is answered Yes, right before the program goes on.
    void setOnYes(std::function<void()> action) { m_onYes = std::move(action); }
    // Throws when any message box but the expected ones was shown.
    void requireOnly(const QStringList& expected = {}) const;

private:
    QStringList m_prompts;
    std::function<void()> m_onYes;
    MsgBoxPresenter m_previous;
};

// The program's windows, driven as a member would through their controls. Each throws
// std::runtime_error when the window or control is not there.
QWidget* topLevelWindow(const char* objectName);
// Shows the login window as the program starts, logs in and lets the main window paint.
void logInThroughWindows(const QString& facultyId, const QString& password);
void enterCredentials(const QString& facultyId, const QString& password);
// Presses a button of a window; its handler runs to its end before this returns.
void press(const char* window, const char* button);
// The rows of the main window's teaching-load list; throws unless the main window is shown.
int teachingLoadRows();
// Picks the period from the combo box's list, as a click on the entry does; the list is
// refilled before this returns.
void choosePeriod(const QString& period);
// Clicks the row of the teaching-load list with that subject code and schedule.
void clickSection(const QString& subject, const QString& schedule);
// Lets the windows handle what is pending, painting included.
void letWindowsPaint();
