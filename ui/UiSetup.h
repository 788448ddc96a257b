#pragma once

class QApplication;
class QIcon;

// While the application starts, a fatal Qt message (no display could be
// opened) ends the program with one line, saying what to do, and status 1
// instead of an abort; Qt's platform warnings that precede it are held back.
void installStartupMessageHandler();
void removeStartupMessageHandler();

// The one font of the whole window: 9 points, able to show Chinese.
void applyWindowFont(QApplication& app);

// The icon's images up to 128 pixels, for the window: its 256-pixel image, a
// PNG, is for the program file in Explorer, and decoding it and handing it
// to the window system would cost every start a few milliseconds.
QIcon programIcon();
