#pragma once

#include "PreviewPage.h"

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <functional>

class Notifier;
class PanelForm;
struct PanelSpec;

// The snippet of a panel shown in the owner's own browser before it is
// pasted: composed from the fields as 生成代码 composes it, written as a
// page into the cache folder and handed to the browser. Once a panel has
// been previewed, its page follows its fields after a pause in typing, so
// that reloading the browser shows the latest values.
class BrowserPreview final : public QObject
{
    Q_OBJECT

public:
    using Opener = std::function<bool(const QUrl&)>;

    BrowserPreview(PanelForm& form, Notifier& notifier, Opener open, QObject* parent = nullptr);

    // Writes panel `index`'s page and opens it; a box says what failed and
    // names the file. Neither the clipboard nor any field changes.
    void show(int index);
    // To be told of every field that changes.
    void fieldChanged(const QString& name);

    // Where the page of a panel is written.
    static QString pagePath(const PanelSpec& panel);
    // How long typing must pause before a page follows.
    static constexpr std::chrono::milliseconds TypingPause { 500 };

private:
    bool write(const PanelSpec& panel, const QString& path, QString* reason);
    void rewritePending();

    PanelForm& m_form;
    Notifier& m_notifier;
    Opener m_open;
    QSet<int> m_previewed;
    QSet<int> m_pending;
    QTimer m_pause;
};

// What the preview page of `panel` shows, its fields read through
// `fieldText` as 生成代码 reads them; `time` is the bar's.
PreviewInput previewInput(const PanelSpec& panel,
    const std::function<QString(const QString& field)>& fieldText, const QDateTime& time);
