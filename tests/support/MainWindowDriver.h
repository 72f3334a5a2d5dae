#pragma once

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QTest>
#include <QTreeWidget>
#include <QWheelEvent>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>

// The main window's period box and list, worked as the member works them: through the window
// system's own routes for keys and the wheel, so that the keyboard focus decides who gets them.
namespace MainWindowDriver {

inline QComboBox* periods(const QWidget* window) {
    return window->findChild<QComboBox*>(QStringLiteral("cboPeriod"));
}

inline QTreeWidget* list(const QWidget* window) {
    return window->findChild<QTreeWidget*>(QStringLiteral("lstSubjects"));
}

inline QStringList entries(const QComboBox* combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

// The subject codes listed, in sorted order.
inline QStringList listedSubjects(const QTreeWidget* tree) {
    QStringList codes;
    for (int row = 0; row < tree->topLevelItemCount(); ++row)
        codes << tree->topLevelItem(row)->text(0);
    codes.sort();
    return codes;
}

inline void clickSubject(QTreeWidget* tree, const QString& code) {
    const QList<QTreeWidgetItem*> found = tree->findItems(code, Qt::MatchExactly);
    QVERIFY(!found.isEmpty());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->visualItemRect(found.first()).center());
}

// The member opens the drop-down list and moves to an entry, not yet picked.
inline void openListAt(QComboBox* combo, const QString& period) {
    const int index = combo->findText(period);
    QVERIFY(index >= 0);
    combo->showPopup();
    combo->view()->setCurrentIndex(combo->model()->index(index, 0));
}

// The member opens the drop-down list and picks an entry.
inline void pick(QComboBox* combo, const QString& period) {
    openListAt(combo, period);
    QTest::keyClick(combo->view(), Qt::Key_Return);
}

// A key pressed on the keyboard: it goes to whichever widget has the focus.
inline void pressKey(Qt::Key key) {
    QTest::keyClick(static_cast<QWidget*>(nullptr), key);
}

// Wheel notches (positive: away from the member) with the pointer at `at` in `over`, delivered
// to the window as the window system delivers them, so that Qt routes them and hands out the
// focus as it does for a real wheel.
inline void turnWheel(QWidget* over, QPoint at, int notches) {
    QWidget* window = over->window();
    QWheelEvent event(over->mapTo(window, at), over->mapToGlobal(at), QPoint(),
                      QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    QCoreApplication::instance()->notify(window->windowHandle(), &event);
}

} // namespace MainWindowDriver
