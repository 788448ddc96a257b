#include "PresetMenu.h"

#include "PresetStore.h"

#include <QActionGroup>
#include <QMenu>

PresetMenu::PresetMenu(const PresetStore& store, QObject* parent)
    : QObject(parent)
    , m_store(store)
{
}

void PresetMenu::addItems(QMenu* menu)
{
    auto* group = new QActionGroup(menu);
    for (const PresetEntry& entry : m_store.presets()) {
        QAction* item = menu->addAction(entry.name);
        item->setCheckable(true);
        item->setChecked(entry.id == m_store.currentId());
        group->addAction(item);
        connect(
            item, &QAction::triggered, this, [this, id = entry.id] { emit chosen(PresetAction::Switch, id); },
            Qt::QueuedConnection);
    }
    menu->addSeparator();
    const std::pair<PresetAction, QString> actions[] = {
        { PresetAction::New, QStringLiteral("新建方案…") },
        { PresetAction::Duplicate, QStringLiteral("复制当前方案…") },
        { PresetAction::Rename, QStringLiteral("重命名当前方案…") },
        { PresetAction::Remove, QStringLiteral("删除当前方案…") },
        { PresetAction::Import, QStringLiteral("导入方案…") },
        { PresetAction::ExportCurrent, QStringLiteral("导出当前方案…") },
        { PresetAction::ExportAll, QStringLiteral("导出全部方案…") },
    };
    for (const auto& [action, text] : actions) {
        // Moving 方案 in and out of the program stands apart.
        if (action == PresetAction::Import)
            menu->addSeparator();
        connect(
            menu->addAction(text), &QAction::triggered, this, [this, action] { emit chosen(action, QString()); },
            Qt::QueuedConnection);
    }
}

void PresetMenu::addSubmenu(QMenu* menu)
{
    menu->addSeparator();
    QMenu* submenu = menu->addMenu(QStringLiteral("方案"));
    submenu->setObjectName(QStringLiteral("PresetMenu"));
    addItems(submenu);
}
