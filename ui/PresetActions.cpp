#include "PresetActions.h"

#include "ControlInventory.h"
#include "Notifier.h"
#include "PanelForm.h"
#include "PanelMenu.h"
#include "PresetStore.h"
#include "PresetTransfer.h"
#include "StartOptions.h"

#include <QMenu>
#include <QTimer>
#include <QWidget>

PresetActions::PresetActions(PanelForm& form, PanelMenu& panelMenu, const WindowServices& services, QWidget* window)
    : QObject(window)
    , m_form(form)
    , m_services(services)
    , m_store(*services.presets)
    , m_window(window)
    , m_menu(new PresetMenu(m_store, this))
{
    connect(m_menu, &PresetMenu::chosen, this, &PresetActions::choose);
    connect(&panelMenu, &PanelMenu::opening, m_menu, &PresetMenu::addSubmenu);
    // The option bar and its options offer the items themselves.
    QWidget* bar = m_form.control(QStringLiteral("Frame1"));
    bar->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(bar, &QWidget::customContextMenuRequested, this,
            [this, bar](const QPoint& pos) { showMenu(bar->mapToGlobal(pos)); });
    updateTitle();
}

void PresetActions::save()
{
    // Fields of a panel never built still hold what the store read.
    m_store.save(m_form.builtFieldValues());
}

void PresetActions::showMenu(const QPoint& globalPos)
{
    auto* menu = new QMenu(m_window);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    m_menu->addItems(menu);
    menu->popup(globalPos);
}

void PresetActions::updateTitle()
{
    // One 方案 alone: the window as it always was.
    m_window->setWindowTitle(m_store.hasSeveral() ? windowCaption() + QStringLiteral(" - ") + m_store.currentName()
                                                  : windowCaption());
}

void PresetActions::switchTo(const QString& id)
{
    // Where the store has already moved on (a new, a removed or a replaced
    // 方案), the fields still hold the values of the one left: they are not
    // saved into this one.
    if (id != m_store.currentId()) {
        save();
        if (!m_store.switchTo(id))
            return m_services.notifier->warn(QStringLiteral("切换方案"), QStringLiteral("这个方案已被删除。"));
    }
    m_form.replaceValues(m_store.currentFullValues());
    updateTitle();
}

QString PresetActions::askName(const QString& title, const QString& initial, bool renaming)
{
    QStringList taken = m_store.names();
    if (renaming)
        taken.removeOne(m_store.currentName());
    return m_services.askPresetName ? m_services.askPresetName(title, initial, taken) : QString();
}

void PresetActions::choose(PresetAction action, const QString& id)
{
    PresetStore& store = m_store;
    Notifier& notifier = *m_services.notifier;
    const QString notKept = QStringLiteral("方案无法保存，详见程序的错误输出。");
    switch (action) {
    case PresetAction::Switch:
        return switchTo(id);
    case PresetAction::New:
    case PresetAction::Duplicate: {
        const bool copy = action == PresetAction::Duplicate;
        const QString name = copy
            ? askName(QStringLiteral("复制当前方案"), numberedPresetName(store.currentName(), store.names()), false)
            : askName(QStringLiteral("新建方案"), QString(), false);
        if (name.isEmpty())
            return;
        save();
        // A new 方案 starts from the samples; a copy from the current values.
        if (!store.create(name, copy ? store.currentValues() : QHash<QString, QString>()))
            return notifier.warn(copy ? QStringLiteral("复制当前方案") : QStringLiteral("新建方案"), notKept);
        return switchTo(store.currentId());
    }
    case PresetAction::Rename: {
        const QString name = askName(QStringLiteral("重命名当前方案"), store.currentName(), true);
        if (name.isEmpty())
            return;
        if (!store.renameCurrent(name))
            notifier.warn(QStringLiteral("重命名当前方案"), notKept);
        return updateTitle();
    }
    case PresetAction::Remove: {
        const QString title = QStringLiteral("删除当前方案");
        if (!store.hasSeveral())
            return notifier.inform(title, QStringLiteral("这是唯一的方案，不能删除。"));
        if (!notifier.ask(title, QStringLiteral("删除后将无法恢复，是否要删除方案“%1”？").arg(store.currentName())))
            return;
        if (!store.removeCurrent())
            return notifier.warn(title, QStringLiteral("方案无法删除，详见程序的错误输出。"));
        return switchTo(store.currentId());
    }
    case PresetAction::Import: {
        const QString path = m_services.choosePresetFile ? m_services.choosePresetFile(QString()) : QString();
        if (!path.isEmpty())
            importFile(path);
        return;
    }
    case PresetAction::ExportCurrent:
        return exportTo({ store.currentId() }, QStringLiteral("饰铺通方案.json"));
    case PresetAction::ExportAll: {
        QStringList ids;
        for (const PresetEntry& entry : store.presets())
            ids << entry.id;
        return exportTo(ids, QStringLiteral("饰铺通全部方案.json"));
    }
    }
}

void PresetActions::exportTo(const QStringList& ids, const QString& suggestedName)
{
    const QString path = m_services.choosePresetFile ? m_services.choosePresetFile(suggestedName) : QString();
    if (path.isEmpty())
        return;
    // What the fields show now is what goes out.
    save();
    exportPresetFile(m_store, ids, path, *m_services.notifier);
}

void PresetActions::importFile(const QString& path)
{
    save();
    Notifier& notifier = *m_services.notifier;
    const ImportOutcome outcome
        = importPresetFile(m_store, path, notifier, [&notifier](const QString& name) {
              const qsizetype answer = notifier.choose(
                  QStringLiteral("导入方案"), QStringLiteral("已有名为“%1”的方案。要替换它、保留两个，还是取消整个导入？").arg(name),
                  { QStringLiteral("替换"), QStringLiteral("保留两个"), QStringLiteral("取消") });
              return answer == 0 ? NameClash::Replace : answer == 1 ? NameClash::KeepBoth : NameClash::Cancel;
          });
    if (outcome.currentReplaced)
        switchTo(m_store.currentId());
    else
        updateTitle();
}

void PresetActions::afterStart(const StartOptions& options, bool presetFound)
{
    // Queued, so that each box stands over the window already shown.
    QTimer::singleShot(0, m_window, [this, options, presetFound] {
        if (!presetFound)
            m_services.notifier->warn(QStringLiteral("启动方案"),
                                      QStringLiteral("没有名为“%1”的方案，已打开方案“%2”。")
                                          .arg(presetName(options.preset), m_store.currentName()));
        if (!options.importFile.isEmpty())
            importFile(options.importFile);
    });
}
