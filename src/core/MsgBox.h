#pragma once

#include <QString>

#include <functional>

// Message box styles as the windows name them: buttons plus icon.
enum class MsgStyle {
    OkOnly = 0,
    Critical = 16,
    YesNoQuestion = 36, // Yes the default button
    Exclamation = 48,
    Information = 64,
};

enum class MsgAnswer { Ok, Yes, No };

inline const QString AppTitle = QStringLiteral("zelkarin");

using MsgBoxPresenter =
    std::function<MsgAnswer(const QString& prompt, MsgStyle style, const QString& title)>;

// Shows a modal message box through the installed presenter and returns the answer.
MsgAnswer MsgBox(const QString& prompt, MsgStyle style = MsgStyle::OkOnly,
                 const QString& title = AppTitle);

// The windows install the real message box; tests install a recorder. Returns the previous one.
MsgBoxPresenter setMsgBoxPresenter(MsgBoxPresenter presenter);
