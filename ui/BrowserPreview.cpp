#include "BrowserPreview.h"

#include "ControlInventory.h"
#include "Generator.h"
#include "Notifier.h"
#include "PanelForm.h"
#include "PanelTable.h"
#include "PreviewPage.h"
#include "SnippetFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

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
    return folder + QLatin1Char('/') + QFileInfo(panel.generator()->templateFile).completeBaseName()
        + QStringLiteral(".html");
}

void BrowserPreview::show(int index)
{
    const PanelSpec& panel = panelAt(index);
    const QString path = pagePath(panel);
    const QString shown = QDir::toNativeSeparators(path);
    QString reason;
    if (!write(panel, path, &reason)) {
        m_notifier.warn(QStringLiteral("无法预览"),
            QStringLiteral("无法写入预览网页 %1：%2").arg(shown, reason));
        return;
    }
    m_previewed.insert(index);
    if (!m_open || !m_open(QUrl::fromLocalFile(path)))
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

void BrowserPreview::rewritePending()
{
    const QSet<int> pending = std::exchange(m_pending, {});
    for (const int index : pending) {
        // Nobody is waiting on this write: the page keeps its last version,
        // and the next preview from the menu says what is wrong.
        QString reason;
        const PanelSpec& panel = panelAt(index);
        if (!write(panel, pagePath(panel), &reason))
            std::fprintf(stderr, "shiputong: preview not updated: %s\n", qPrintable(reason));
    }
}

bool BrowserPreview::write(const PanelSpec& panel, const QString& path, QString* reason)
{
    if (!QDir().mkpath(QFileInfo(path).path())) {
        *reason = QStringLiteral("无法建立文件夹");
        return false;
    }
    const PreviewInput input = previewInput(
        panel, [this](const QString& field) { return m_form.fieldText(field); },
        QDateTime::currentDateTime());
    return writeWholeFile(path, previewPage(input), reason);
}

PreviewInput previewInput(const PanelSpec& panel,
    const std::function<QString(const QString& field)>& fieldText, const QDateTime& time)
{
    PreviewInput input;
    input.layout = *panel.generator()->preview;
    input.caption = findControl(panel.option())->text;
    input.snippet = composeFromFields(*panel.generator(), fieldText);
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
