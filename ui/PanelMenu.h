#pragma once

#include "PanelTable.h"

#include <QObject>

class PanelForm;
class QPoint;

// Each panel's right-click menu, from the panel table. Line edits keep their own.
class PanelMenu final : public QObject
{
    Q_OBJECT

public:
    PanelMenu(PanelForm& form, QWidget* window);

signals:
    // Sent once the menu has closed, so that no box stands over it.
    void chosen(PanelOffer offer, int panel);

private:
    void popup(const PanelSpec& panel, const QPoint& globalPos);

    QWidget* m_window;
};
