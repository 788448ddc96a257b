#pragma once

#include "ControlInventory.h"
#include "Generator.h"

#include <QKeySequence>
#include <QList>
#include <QString>

// What a panel's right-click menu offers, each once, in menu order.
enum class PanelOffer
{
    RestoreDefaults,
    AddressCheck,
    BannerAddresses,
    SampleExport,
    Preview,
};

// One panel. Everything about it but its place in the option bar comes from
// the controls it holds and the generator whose button is on it.
struct PanelSpec
{
    int index; // option Option1_<index> shows frame Frame2_<index>

    QString frame() const { return panelName(index); }
    QString option() const { return optionName(index); }
    const Generator* generator() const; // null for the About panel
    // Empty: the panel keeps the right-click to itself.
    QList<PanelOffer> menu() const;
    bool offers(PanelOffer offer) const { return menu().contains(offer); }
};

// Every panel, in index order.
const QList<PanelSpec>& panelTable();
const PanelSpec& panelAt(int index);
// By object name of its frame, its option or a control on it; null if none.
const PanelSpec* panelOfFrame(const QString& frame);
const PanelSpec* panelOfOption(const QString& option);
const PanelSpec* panelOfControl(const QString& control);

// The menu item's text, and the key that does the same anywhere in the window.
QString menuText(PanelOffer offer);
QKeySequence menuShortcut(PanelOffer offer);
