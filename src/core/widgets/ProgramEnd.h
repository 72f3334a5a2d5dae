#pragma once

// Deletes the windows still open and drops the database connection and recordsets, while Qt
// and its SQL drivers are still loaded: the last step of main().
void releaseWindowsAndConnections();
