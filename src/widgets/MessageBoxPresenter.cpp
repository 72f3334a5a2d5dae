#include "MessageBoxPresenter.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>

namespace {

QMessageBox::Icon iconFor(MsgStyle style) {
    switch (style) {
    case MsgStyle::Critical:
        return QMessageBox::Critical;
    case MsgStyle::YesNoQuestion:
        return QMessageBox::Question;
    case MsgStyle::Exclamation:
        return QMessageBox::Warning;
    case MsgStyle::Information:
        return QMessageBox::Information;
    case MsgStyle::OkOnly:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MsgAnswer showMessageBox(const QString& prompt, MsgStyle style, const QString& title) {
    QMessageBox box(iconFor(style), title, prompt, QMessageBox::NoButton,
                    QApplication::activeWindow());
    if (style == MsgStyle::YesNoQuestion) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    // The member answers with the ordinary pointer even while a statement keeps the wait cursor.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    QApplication::restoreOverrideCursor();
    switch (answer) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    default:
        return style == MsgStyle::YesNoQuestion ? MsgAnswer::No : MsgAnswer::Ok;
    }
}

void installMessageBoxPresenter() {
    setMsgBoxPresenter(showMessageBox);
}
