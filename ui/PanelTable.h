#pragma once

#include "PreviewPage.h"

#include <QKeySequence>
#include <QList>
#include <QString>

struct Generator;

// What a panel's right-click menu offers, each once, in menu order.
enum class PanelOffer
{
    RestoreDefaults,
    AddressCheck,
    BannerAddresses,
    SampleExport,
    Preview,
};

// One panel of the window: the option that shows it, the generator whose
// fields it holds and what its right-click menu offers.
struct PanelSpec
{
    int index; // option Option1_<index> shows frame Frame2_<index>
    QString generatorButton; // empty for the About panel
    QList<PanelOffer> menu; // empty: the panel keeps the right-click to itself
    PreviewLayout preview = PreviewLayout::Column; // how its preview lays out the snippet

    QString frame() const;
    QString option() const;
    const Generator* generator() const;
    bool offers(PanelOffer offer) const { return menu.contains(offer); }
};

// Every panel, in index order.
const QList<PanelSpec>& panelTable();
const PanelSpec& panelAt(int index);
// The panel whose frame or option has this object name, or that holds the
// control of this name; null when there is none.
const PanelSpec* panelOfFrame(const QString& frame);
const PanelSpec* panelOfOption(const QString& option);
const PanelSpec* panelOfControl(const QString& control);

// What the menu item of an offer says, and the key that does the same from
// anywhere in the window.
QString menuText(PanelOffer offer);
QKeySequence menuShortcut(PanelOffer offer);
