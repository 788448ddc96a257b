#pragma once

class QApplication;

// While the application starts, a fatal Qt message (no display could be
// opened) ends the program with one line, saying what to do, and status 1
// instead of an abort; Qt's platform warnings that precede it are held back.
void installStartupMessageHandler();
void removeStartupMessageHandler();

// The one font of the whole window: 9 points, able to show Chinese.
void applyWindowFont(QApplication& app);
