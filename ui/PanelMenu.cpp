#include "PanelMenu.h"

#include "PanelForm.h"

#include <QMenu>

PanelMenu::PanelMenu(PanelForm& form, QWidget* window)
    : QObject(window)
    , m_window(window)
{
    for (const PanelSpec& panel : panelTable()) {
        QWidget* frame = form.control(panel.frame());
        if (!frame || panel.menu().isEmpty())
            continue;
        frame->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(frame, &QWidget::customContextMenuRequested, this,
            [this, &panel, frame](const QPoint& pos) { popup(panel, frame->mapToGlobal(pos)); });
    }
}

void PanelMenu::popup(const PanelSpec& panel, const QPoint& globalPos)
{
    auto* menu = new QMenu(m_window);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const PanelOffer offer : panel.menu()) {
        // Seeing the page stands apart from what changes the fields.
        if (offer == PanelOffer::Preview && !menu->isEmpty())
            menu->addSeparator();
        QAction* action = menu->addAction(menuText(offer));
        action->setShortcut(menuShortcut(offer));
        action->setShortcutVisibleInContextMenu(true);
        connect(
            action, &QAction::triggered, this,
            [this, offer, index = panel.index] { emit chosen(offer, index); },
            Qt::QueuedConnection);
        // Restoring the defaults stands apart from what works on the addresses.
        if (offer == PanelOffer::RestoreDefaults)
            menu->addSeparator();
    }
    menu->popup(globalPos);
}
