#pragma once

#include <QString>

class QApplication;

// Why no window can be opened here, in one line with what to do about it;
// empty when a display is named. Whether a named display answers is found
// out by connecting to it (see installStartupMessageHandler).
QString missingDisplayReason();

// While the application starts, a fatal Qt message (no platform could be
// started) ends the program with one line and status 1 instead of an abort,
// and Qt's platform warnings that precede it are held back.
void installStartupMessageHandler();
void removeStartupMessageHandler();

// The one font of the whole window: 9 points, able to show Chinese.
void applyWindowFont(QApplication& app);
