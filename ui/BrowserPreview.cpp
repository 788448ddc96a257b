#include "BrowserPreview.h"

#include "ControlInventory.h"
#include "Generator.h"
#include "Notifier.h"
#include "PanelForm.h"
#include "PanelTable.h"
#include "PreviewPage.h"
#include "PreviewServer.h"
#include "SnippetFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>
#include <exception>

BrowserPreview::BrowserPreview(PanelForm& form, Notifier& notifier, UrlOpener open, QObject* parent)
    : QObject(parent)
    , m_form(form)
    , m_notifier(notifier)
    , m_open(std::move(open))
{
    m_pause.setSingleShot(true);
    m_pause.setInterval(TypingPause);
    connect(&m_pause, &QTimer::timeout, this, &BrowserPreview::rewritePending);
}

QString BrowserPreview::pagePath(const PanelSpec& panel)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation)
        + QStringLiteral("/preview");
    return folder + QLatin1Char('/') + pageName(panel) + QStringLiteral(".html");
}

QString BrowserPreview::pageName(const PanelSpec& panel)
{
    return QFileInfo(panel.generator()->templateFile).completeBaseName();
}

PreviewServer* BrowserPreview::server()
{
    if (m_server || m_serverFailed)
        return m_server;
    auto* server = new PreviewServer(std::chrono::seconds(5), this);
    QString reason;
    if (server->listen(&reason))
        return m_server = server;
    delete server;
    m_serverFailed = true;
    std::fprintf(stderr, "shiputong: the preview opens as a file and will not follow the fields: %s\n",
        qPrintable(reason));
    return nullptr;
}

void BrowserPreview::show(int index)
{
    const PanelSpec& panel = panelAt(index);
    const QString path = pagePath(panel);
    const QString shown = QDir::toNativeSeparators(path);
    PreviewServer* live = server();

    QString reason;
    if (!update(panel, &reason)) {
        if (live)
            live->tellFailure(pageName(panel), reason);
        m_notifier.warn(QStringLiteral("无法预览"),
            QStringLiteral("无法写入预览网页 %1：%2").arg(shown, reason));
        return;
    }
    m_previewed.insert(index);
    // The open page has just been sent the new version.
    if (live && live->watched(pageName(panel)))
        return;
    const QUrl url = live ? live->pageUrl(pageName(panel)) : QUrl::fromLocalFile(path);
    if (!m_open || !m_open(url))
        m_notifier.warn(QStringLiteral("无法预览"),
            QStringLiteral("未能打开浏览器，请用浏览器手动打开预览网页：%1").arg(shown));
}

void BrowserPreview::fieldChanged(const QString& name)
{
    const PanelSpec* panel = panelOfControl(name);
    if (!panel || !m_previewed.contains(panel->index))
        return;
    m_pending.insert(panel->index);
    m_pause.start();
}

void BrowserPreview::close()
{
    m_pause.stop();
    rewritePending();
    // Its destructor tells the open pages; a later preview starts anew.
    delete std::exchange(m_server, nullptr);
}

void BrowserPreview::rewritePending()
{
    const QSet<int> pending = std::exchange(m_pending, {});
    for (const int index : pending) {
        // The open page says why; the file and the page keep the last
        // version that was written.
        QString reason;
        const PanelSpec& panel = panelAt(index);
        if (update(panel, &reason))
            continue;
        std::fprintf(stderr, "shiputong: preview not updated: %s\n", qPrintable(reason));
        if (m_server)
            m_server->tellFailure(pageName(panel), reason);
    }
}

bool BrowserPreview::update(const PanelSpec& panel, QString* reason)
{
    const QString path = pagePath(panel);
    if (!QDir().mkpath(QFileInfo(path).path())) {
        *reason = QStringLiteral("无法建立文件夹");
        return false;
    }
    QByteArray page;
    try {
        page = previewPage(previewInput(
            panel, [this](const QString& field) { return m_form.fieldText(field); },
            QDateTime::currentDateTime()));
    } catch (const std::exception& error) {
        *reason = QString::fromLocal8Bit(error.what());
        return false;
    }
    if (!writeWholeFile(path, page, reason))
        return false;
    if (m_server)
        m_server->publish(pageName(panel), page);
    return true;
}

PreviewInput previewInput(const PanelSpec& panel,
    const std::function<QString(const QString& field)>& fieldText, const QDateTime& time)
{
    PreviewInput input;
    input.layout = *panel.generator()->preview;
    input.caption = findControl(panel.option())->text;
    input.snippet = composeFromFields(*panel.generator(), fieldText);
    input.fixedText = panel.generator()->fixedText;
    input.time = time;
    // A poster's field is followed by its link's.
    for (const ControlSpec* spec : addressFields(panel.index)) {
        const QString value = fieldText(spec->name);
        if (input.layout == PreviewLayout::FullWidth && spec->address == AddressKind::Image)
            input.posters.append({ value, QString() });
        else if (spec->address == AddressKind::Link && !input.posters.isEmpty())
            input.posters.last().link = value;
        else if (spec->address == AddressKind::Audio)
            input.audio = value;
    }
    return input;
}
