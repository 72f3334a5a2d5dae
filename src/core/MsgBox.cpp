#include "MsgBox.h"

#include <QDebug>

namespace {

// Without a window system nobody can answer: log the text and take the default button.
MsgAnswer logOnly(const QString& prompt, MsgStyle style, const QString& title) {
    qWarning().noquote() << title << ":" << prompt;
    return style == MsgStyle::YesNoQuestion ? MsgAnswer::Yes : MsgAnswer::Ok;
}

MsgBoxPresenter& presenter() {
    static MsgBoxPresenter current = logOnly;
    return current;
}

} // namespace

MsgAnswer MsgBox(const QString& prompt, MsgStyle style, const QString& title) {
    return presenter()(prompt, style, title);
}

MsgBoxPresenter setMsgBoxPresenter(MsgBoxPresenter next) {
    MsgBoxPresenter previous = std::move(presenter());
    presenter() = next ? std::move(next) : MsgBoxPresenter(logOnly);
    return previous;
}
