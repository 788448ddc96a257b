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
struct PanelSpec;

// A panel's snippet, composed as 生成代码 composes it, written as a page into
// the cache folder and opened in the owner's browser. Once previewed, the page
// follows the fields after a pause in typing: a reload shows the latest.
class BrowserPreview final : public QObject
{
    Q_OBJECT

public:
    BrowserPreview(PanelForm& form, Notifier& notifier, UrlOpener open, QObject* parent = nullptr);

    // A box says what failed, naming the file. Clipboard and fields stay as they are.
    void show(int index);
    void fieldChanged(const QString& name); // of every field

private:
    static QString pagePath(const PanelSpec& panel);
    static constexpr std::chrono::milliseconds TypingPause { 500 };

    bool write(const PanelSpec& panel, const QString& path, QString* reason);
    void rewritePending();

    PanelForm& m_form;
    Notifier& m_notifier;
    UrlOpener m_open;
    QSet<int> m_previewed;
    QSet<int> m_pending;
    QTimer m_pause;
};

// What the page of `panel` shows, its fields read as 生成代码 reads them.
PreviewInput previewInput(const PanelSpec& panel,
    const std::function<QString(const QString& field)>& fieldText, const QDateTime& time);
