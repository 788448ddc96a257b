#include "PanelMenu.h"

#include "PanelForm.h"

#include <QAbstractButton>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QToolTip>

namespace {

// The menu's items, each on a line, the preview with its key.
QString menuHint(const PanelSpec& panel)
{
    QString hint = QStringLiteral("在本页空白处、图片或文字上单击右键，可以：");
    for (const PanelOffer offer : panel.menu()) {
        hint += QStringLiteral("\n· ") + menuText(offer);
        if (const QKeySequence key = menuShortcut(offer); !key.isEmpty())
            hint += QStringLiteral("（%1）").arg(key.toString(QKeySequence::NativeText));
    }
    // The submenu every such menu ends with.
    return hint + QStringLiteral("\n· 方案：各个店铺的内容分开保存、切换、导入和导出");
}

} // namespace

PanelMenu::PanelMenu(PanelForm& form, QWidget* window)
    : QObject(window)
    , m_window(window)
{
    for (const PanelSpec& panel : panelTable()) {
        QWidget* frame = form.control(panel.frame());
        if (!frame || panel.menu().isEmpty())
            continue;
        frame->setContextMenuPolicy(Qt::CustomContextMenu);
        frame->installEventFilter(this);
        connect(frame, &QWidget::customContextMenuRequested, this,
            [this, &panel, frame](const QPoint& pos) { popup(panel, frame->mapToGlobal(pos)); });
    }
}

bool PanelMenu::eventFilter(QObject* watched, QEvent* event)
{
    // A caption or picture without a tooltip of its own passes the question up.
    if (event->type() != QEvent::ToolTip)
        return false;
    auto* frame = static_cast<QWidget*>(watched);
    const auto* help = static_cast<QHelpEvent*>(event);
    QWidget* under = frame->childAt(help->pos());
    const PanelSpec* panel = panelOfFrame(frame->objectName());
    if (!panel || qobject_cast<QLineEdit*>(under) || qobject_cast<QAbstractButton*>(under))
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), menuHint(*panel), frame);
    return true;
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
    emit opening(menu);
    menu->popup(globalPos);
}
