// The start-up baseline: a bare Qt Widgets window of the program's size with
// one label, the program's caption in Chinese so that a CJK font is loaded as
// in any window of this kind. No font, icon or pictures of the program's own.

#include "ControlInventory.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(twipsToPixels(WindowClientWidth), twipsToPixels(WindowClientHeight));
    QLabel label(QStringLiteral("饰铺通 V1.0"), &window);
    label.move(20, 20);
    window.show();
    return app.exec();
}
