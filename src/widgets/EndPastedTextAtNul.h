#pragma once

class QWidget;

// The text fields of a window, the edit fields of its combo boxes included, take pasted and
// dropped text as a native text box reads the clipboard: up to its first NUL. Without this a
// NUL reaches the statement text, where the engine stops reading it.
void endPastedTextAtNul(QWidget* window);
