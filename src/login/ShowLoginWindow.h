#pragma once

class frmLogin;

// Creates the login window if there is none and shows it centred on the screen.
frmLogin* showLoginWindow();
