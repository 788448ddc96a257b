#include "FieldSettings.h"
#include "MainWindow.h"
#include "MessageBoxNotifier.h"
#include "SamplePictures.h"
#include "SnippetFile.h"
#include "SystemClipboard.h"
#include "UiSetup.h"

#include <QApplication>
#include <QDesktopServices>

int main(int argc, char* argv[])
{
    // Qt aborts with a trace when no display can be opened; say it in one
    // line instead.
    installStartupMessageHandler();
    QApplication app(argc, argv);
    removeStartupMessageHandler();
    QApplication::setApplicationName(QStringLiteral("shiputong"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QApplication::setDesktopFileName(QStringLiteral("shiputong"));
    applyWindowFont(app);
    loadQtTranslation(app);

    SystemClipboard clipboard;
    MessageBoxNotifier notifier;
    FieldSettings fieldSettings;
    WindowServices services { &clipboard, &notifier, [](const QUrl& url) { return QDesktopServices::openUrl(url); } };
    services.fieldSettings = &fieldSettings;
    services.chooseSaveFile = [](const QString& suggestedName) {
        return chooseSnippetFile(QApplication::activeWindow(), suggestedName);
    };
    services.chooseFolder = [] { return chooseSampleFolder(QApplication::activeWindow()); };
    MainWindow window(services);
    notifier.setParentWidget(&window);
    window.show();
    return app.exec();
}
