#include "MainWindow.h"
#include "MessageBoxNotifier.h"
#include "PresetActions.h"
#include "PresetNameDialog.h"
#include "PresetStore.h"
#include "PresetTransfer.h"
#include "SamplePictures.h"
#include "SnippetFile.h"
#include "StartOptions.h"
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
    const StartOptions options = readStartOptions(QApplication::arguments());
    applyWindowFont(app);
    loadQtTranslation(app);

    SystemClipboard clipboard;
    MessageBoxNotifier notifier;
    PresetStore presets;
    const bool presetFound = presets.open(options.preset);
    WindowServices services { &clipboard, &notifier, [](const QUrl& url) { return QDesktopServices::openUrl(url); } };
    services.presets = &presets;
    services.chooseSaveFile = [](const QString& suggestedName) {
        return chooseSnippetFile(QApplication::activeWindow(), suggestedName);
    };
    services.chooseFolder = [] { return chooseSampleFolder(QApplication::activeWindow()); };
    services.choosePresetFile = [](const QString& suggestedName) {
        return choosePresetFile(QApplication::activeWindow(), suggestedName);
    };
    services.askPresetName = [](const QString& title, const QString& initial, const QStringList& taken) {
        return PresetNameDialog::ask(QApplication::activeWindow(), title, initial, taken);
    };
    MainWindow window(services);
    notifier.setParentWidget(&window);
    window.show();
    window.presets()->afterStart(options, presetFound);
    return app.exec();
}
