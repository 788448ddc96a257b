#pragma once

#include "PreviewPage.h"
#include "WindowServices.h"

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <chrono>
#include <functional>

class Notifier;
class PanelForm;
class PreviewServer;
struct PanelSpec;

// A panel's snippet, composed as 生成代码 composes it, written as a page into
// the cache folder and opened in the owner's browser, served by the
// program's own loopback server from the first preview on. Once previewed,
// the page follows the fields after a pause in typing: an open page changes
// in place, and the file always holds the latest. Where the program cannot
// listen, the browser gets the file.
class BrowserPreview final : public QObject
{
    Q_OBJECT

public:
    BrowserPreview(PanelForm& form, Notifier& notifier, UrlOpener open, QObject* parent = nullptr);

    // A box says what failed, naming the file. Clipboard and fields stay as
    // they are. A page open in a browser is refreshed instead of opened again.
    void show(int index);
    void fieldChanged(const QString& name); // of every field
    // What the end of a typing pause does: writes and sends the pages of
    // the fields changed since.
    void rewritePending();
    // Writes what the typing pause still holds back, then tells open pages
    // that the program closes.
    void close();

private:
    static QString pagePath(const PanelSpec& panel);
    static QString pageName(const PanelSpec& panel);
    static constexpr std::chrono::milliseconds TypingPause { 500 };

    // Writes the page file and serves the same bytes; false and why if the
    // file could not be written, the served page staying as it was.
    bool update(const PanelSpec& panel, QString* reason);
    PreviewServer* server(); // started at the first preview; null where it cannot listen

    PanelForm& m_form;
    Notifier& m_notifier;
    UrlOpener m_open;
    QSet<int> m_previewed;
    QSet<int> m_pending;
    QTimer m_pause;
    PreviewServer* m_server = nullptr;
    bool m_serverFailed = false;
};

// What the page of `panel` shows, its fields read as 生成代码 reads them.
PreviewInput previewInput(const PanelSpec& panel,
    const std::function<QString(const QString& field)>& fieldText, const QDateTime& time);
