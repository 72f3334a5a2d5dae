#pragma once

// Ends the program from any window: the event loop stops at once, without a further event in
// any window, and main() goes on to releaseWindowsAndConnections(). QCoreApplication::quit()
// would first ask every window to close, and one that refuses would keep the program running.
void endProgram();

// Deletes the windows still open and drops the database connection and recordsets, while Qt
// and its SQL drivers are still loaded: the last step of main().
void releaseWindowsAndConnections();
