#pragma once

class QWidget;

// Shows the window centred on its screen, frame included: the frame is known once it is shown.
void showCentred(QWidget* window);
