#pragma once

#include "MsgBox.h"

// The modal message box of the windows.
MsgAnswer showMessageBox(const QString& prompt, MsgStyle style, const QString& title);

// Makes MsgBox show real message boxes.
void installMessageBoxPresenter();
