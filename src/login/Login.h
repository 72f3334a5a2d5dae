#pragma once

class frmLogin;

// Creates and shows the login window the program starts with.
frmLogin* showLoginWindow();
