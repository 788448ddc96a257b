#pragma once

class QApplication;
class QIcon;

// While the application starts, no display ends the program with one line
// saying what to do and status 1, not an abort and Qt's platform warnings.
void installStartupMessageHandler();
void removeStartupMessageHandler();

// The one font of the whole window: 9 points, able to show Chinese.
void applyWindowFont(QApplication& app);

// Up to 128 pixels: the 256-pixel PNG is for Explorer, and would cost every
// start milliseconds.
QIcon programIcon();
