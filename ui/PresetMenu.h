#pragma once

#include <QObject>
#include <QString>

class PresetStore;
class QMenu;

// What the "方案" items do.
enum class PresetAction
{
    Switch,
    New,
    Duplicate,
    Rename,
    Remove,
    Import,
    ExportCurrent,
    ExportAll,
};

// The "方案" items: every 方案 by name, the current one checked, then what
// can be done with them. Read from the store each time a menu opens, so that
// another program copy's new 方案 show too.
class PresetMenu final : public QObject
{
    Q_OBJECT

public:
    PresetMenu(const PresetStore& store, QObject* parent);

    void addItems(QMenu* menu);
    // A separator, then the items in a submenu "方案".
    void addSubmenu(QMenu* menu);

signals:
    // Sent once the menu has closed, so that no box stands over it.
    void chosen(PresetAction action, const QString& id);

private:
    const PresetStore& m_store;
};
