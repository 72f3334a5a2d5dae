#pragma once

class frmMain;

// Creates the single main window if there is none, runs its start-up and shows it maximised
// and modeless. A start-up that fails leaves no main window behind and rethrows.
frmMain* showMainWindow();
