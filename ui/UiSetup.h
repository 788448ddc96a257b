#pragma once

class QApplication;
class QIcon;
class QString;

// While the application starts, no display ends the program with one line
// saying what to do and status 1, not an abort and Qt's platform warnings.
void installStartupMessageHandler();
void removeStartupMessageHandler();

// The one font of the whole window: 9 points, able to show Chinese.
void applyWindowFont(QApplication& app);

// Qt's own texts (a field's context menu, the dialogs Qt draws, standard
// buttons) in Chinese, whatever the system's language. False when the
// translation was not found; the window then works with Qt's English.
bool loadQtTranslation(QApplication& app);
// Where that translation is looked for: Qt's translations folder, on
// Windows the "translations" folder beside the program.
QString qtTranslationFolder();

// Up to 128 pixels: the 256-pixel PNG is for Explorer, and would cost every
// start milliseconds.
QIcon programIcon();
