#include "FieldSettings.h"
#include "MainWindow.h"
#include "MessageBoxNotifier.h"
#include "SnippetFile.h"
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

    // Qt aborts with a trace when no platform can start (a DISPLAY naming
    // a host or server that is not there); say it in one line instead.
    installStartupMessageHandler();
    QApplication app(argc, argv);
    removeStartupMessageHandler();
    QApplication::setApplicationName(QStringLiteral("shiputong"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QApplication::setDesktopFileName(QStringLiteral("shiputong"));
    applyWindowFont(app);

    SystemClipboard clipboard;
    MessageBoxNotifier notifier;
    FieldSettings fieldSettings;
    WindowServices services { &clipboard, &notifier, [](const QUrl& url) { return QDesktopServices::openUrl(url); } };
    services.fieldSettings = &fieldSettings;
    services.chooseSaveFile = [](const QString& suggestedName) {
        return chooseSnippetFile(QApplication::activeWindow(), suggestedName);
    };
    MainWindow window(services);
    notifier.setParentWidget(&window);
    window.show();
    return app.exec();
}
