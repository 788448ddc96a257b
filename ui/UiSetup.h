#pragma once

#include <QString>

class QApplication;

// Why no window can be opened here, in one line with what to do about it;
// empty when a display is available.
QString missingDisplayReason();

// The one font of the whole window: 9 points, able to show Chinese.
void applyWindowFont(QApplication& app);
