#pragma once

#include "PresetMenu.h"
#include "WindowServices.h"

#include <QObject>
#include <QString>
#include <QStringList>

class PanelForm;
class PanelMenu;
class PresetStore;
class QPoint;
class QWidget;
struct StartOptions;

// What the 方案 items do to the window: its fields, its title and the boxes
// over it. Offered at the end of every panel menu and on the option bar.
class PresetActions final : public QObject
{
    Q_OBJECT

public:
    PresetActions(PanelForm& form, PanelMenu& panelMenu, const WindowServices& services, QWidget* window);

    void choose(PresetAction action, const QString& id);
    // Keeps the fields of the one left, then puts the other's into every field.
    void switchTo(const QString& id);
    void importFile(const QString& path);
    // Once the window shows: the boxes the command line calls for.
    void afterStart(const StartOptions& options, bool presetFound);

private:
    void save();
    void updateTitle();
    void showMenu(const QPoint& globalPos);
    QString askName(const QString& title, const QString& initial, bool renaming);
    void exportTo(const QStringList& ids, const QString& suggestedName);

    PanelForm& m_form;
    WindowServices m_services;
    PresetStore& m_store;
    QWidget* m_window;
    PresetMenu* m_menu;
};
