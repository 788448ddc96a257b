// The parts of the window that keep the owner's work: field values that
// come back at the next start, a panel's defaults one right-click away, and
// a snippet saved to a file when the clipboard would not take it.

#include "MainWindow.h"

#include "ControlInventory.h"
#include "FieldSettings.h"
#include "Generator.h"
#include "Notifier.h"
#include "SnippetFile.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>

#include <algorithm>

void MainWindow::saveFieldValues()
{
    if (!m_services.fieldSettings)
        return;
    // Fields of a panel never built still hold what the last run kept.
    QHash<QString, QString> values;
    for (auto it = m_controls.cbegin(); it != m_controls.cend(); ++it) {
        if (auto* field = qobject_cast<QLineEdit*>(it.value()))
            values.insert(it.key(), field->text());
    }
    m_services.fieldSettings->save(values);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    saveFieldValues();
    QWidget::closeEvent(event);
}

void MainWindow::offerPanelMenus()
{
    // Labels and pictures leave a right-click to their panel; line edits
    // keep their own edit menu.
    for (int panel = 0; panel < PanelCount; ++panel) {
        const QString name = panelName(panel);
        const bool hasFields = std::any_of(controlInventory().cbegin(), controlInventory().cend(),
                                           [&name](const ControlSpec& spec) {
                                               return spec.container == name && spec.kind == ControlKind::TextField;
                                           });
        QWidget* frame = control(name);
        if (!hasFields || !frame)
            continue;
        frame->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(frame, &QWidget::customContextMenuRequested, this,
                [this, panel, frame](const QPoint& pos) { showPanelMenu(panel, frame->mapToGlobal(pos)); });
    }
}

void MainWindow::showPanelMenu(int panel, const QPoint& globalPos)
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // Queued: a box or dialog opens once the menu has closed.
    const auto offer = [this, menu](const QString& text, const std::function<void()>& handler) {
        connect(menu->addAction(text), &QAction::triggered, this, handler, Qt::QueuedConnection);
    };
    offer(QStringLiteral("恢复本页默认内容"), [this, panel] { restorePanelDefaults(panel); });
    menu->addSeparator();
    if (!addressFields(panel).isEmpty())
        offer(QStringLiteral("检查本页图片地址"), [this, panel] { checkPanelAddresses(panel); });
    if (panel == 0)
        offer(QStringLiteral("修改客服横幅图片地址…"), [this] { editBannerAddresses(); });
    // The samples are the contact block's and the strip's pictures.
    if (panel == 0 || panel == 1)
        offer(QStringLiteral("导出示例图片…"), [this] { exportSamples(); });
    menu->popup(globalPos);
}

void MainWindow::restorePanelDefaults(int panel)
{
    if (!m_services.notifier->ask(QStringLiteral("提示"),
                                  QStringLiteral("恢复后本页现在的内容将无法恢复，是否要恢复本页默认内容？")))
        return;
    const QString name = panelName(panel);
    for (const ControlSpec& spec : controlInventory()) {
        if (spec.container != name || spec.kind != ControlKind::TextField)
            continue;
        setFieldText(spec.name, spec.text);
    }
    saveFieldValues();
}

void MainWindow::saveSnippetToFile(const Generator& generator, const QString& snippet)
{
    if (!m_services.chooseSaveFile)
        return;
    const QString path = m_services.chooseSaveFile(suggestedSnippetFileName(generator.templateFile));
    if (path.isEmpty())
        return;
    // The work buffer keeps the snippet either way, for the next click.
    if (const QString problem = writeSnippetFile(path, snippet); !problem.isEmpty())
        m_services.notifier->warn(QStringLiteral("保存失败"), problem);
}
