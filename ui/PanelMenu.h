#pragma once

#include "PanelTable.h"

#include <QObject>

class PanelForm;
class QPoint;

// The right-click menu of each panel, built from what the panel table says
// the panel offers. Labels and pictures leave a right-click to their panel;
// line edits keep their own edit menu.
class PanelMenu final : public QObject
{
    Q_OBJECT

public:
    PanelMenu(PanelForm& form, QWidget* window);

signals:
    // The owner chose `offer` on panel `panel`; sent once the menu has closed,
    // so that a box or dialog it opens does not stand over the menu.
    void chosen(PanelOffer offer, int panel);

private:
    void popup(const PanelSpec& panel, const QPoint& globalPos);

    QWidget* m_window;
};
