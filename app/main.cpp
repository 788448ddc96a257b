#include "MainWindow.h"
#include "MessageBoxNotifier.h"
#include "SystemClipboard.h"
#include "UiSetup.h"

#include <QApplication>
#include <QDesktopServices>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (const QString problem = missingDisplayReason(); !problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", problem.toLocal8Bit().constData());
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("shiputong"));
    QApplication::setApplicationDisplayName(QStringLiteral("饰铺通"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QApplication::setDesktopFileName(QStringLiteral("shiputong"));
    applyWindowFont(app);

    SystemClipboard clipboard;
    MessageBoxNotifier notifier;
    MainWindow window({ &clipboard, &notifier, [](const QUrl& url) { return QDesktopServices::openUrl(url); } });
    notifier.setParentWidget(&window);
    window.show();
    return app.exec();
}
