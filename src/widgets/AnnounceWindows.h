#pragma once

// Screen readers announce the program's windows, plain widgets at the top, as what they are:
// a window with dialog flags as a dialog, any other as a window, each with its caption. Qt
// would present them as nameless filler. Call before a window is first shown.
void announceWindows();
