#pragma once

#include "PanelTable.h"

#include <QObject>

class PanelForm;
class QMenu;
class QPoint;

// Each panel's right-click menu, from the panel table, and the tooltip that
// tells of it over the panel's background, pictures and captions. Line edits
// keep their own menu; fields and buttons show no such tooltip.
class PanelMenu final : public QObject
{
    Q_OBJECT

public:
    PanelMenu(PanelForm& form, QWidget* window);

signals:
    // Sent once the menu has closed, so that no box stands over it.
    void chosen(PanelOffer offer, int panel);
    // Before a menu shows: what it offers beyond the panel's own goes in here.
    void opening(QMenu* menu);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void popup(const PanelSpec& panel, const QPoint& globalPos);

    QWidget* m_window;
};
