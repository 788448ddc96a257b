#pragma once

#include "AddressCheck.h"
#include "FieldCheck.h"

#include <QFlags>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

// The window's fixed layout as data; nothing else places a control.

enum class ControlKind
{
    Frame,      // group box without caption: the option bar and the panels
    Option,     // option button of the option bar
    Label,
    LinkLabel,  // red label that opens the developer's page
    TextField,  // single-line field the user edits
    HiddenText, // template holder or work buffer: never shown, kept exactly
    Button,
    Picture,
    AboutText,
};

enum class ControlFlag : unsigned
{
    Hidden = 1u << 0,      // never shown
    Outside = 1u << 1,     // shown, but beyond its container's edge
    AutoSize = 1u << 2,    // label sized to its caption
    AlignRight = 1u << 3,  // caption against the field to its right
    Red = 1u << 4,
    Blue = 1u << 5,
    WhiteOverPicture = 1u << 6, // white text, transparent, drawn over a picture
    Stretched = 1u << 7,   // picture scaled to its rectangle
    Checked = 1u << 8,     // option selected at start
};
Q_DECLARE_FLAGS(ControlFlags, ControlFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(ControlFlags)

struct ControlSpec
{
    ControlKind kind;
    QString container; // object name of the containing frame; empty for the window
    QString name;      // object name, e.g. "Text7_3", "Frame2_4", "旺旺在线"
    QRect twips;       // position in its container and size
    QString text = {}; // caption, initial value, or picture resource path
    ControlFlags flags = {};
    int tab = 0;       // place in the window's keyboard order, from 1; 0: no Tab stop
    QString label = {}; // a field's label; it is the buddy of the first field naming it
    AddressKind address = AddressKind::None; // what a field's address must lead to
    QSize laidOut = {}; // a picture's size in the module; height 0: only the width counts
    FieldCheck check = FieldCheck::None; // what a field's value is checked for as it is typed

    bool has(ControlFlag flag) const { return flags.testFlag(flag); }
};

// The height the banners are drawn at; the module lays out only their width.
inline constexpr int BannerHeight = 80;
// The size a picture for the field should have: its laid-out size, with the
// banner height where only the width is laid out.
QSize pictureSize(const ControlSpec& spec);

inline constexpr int TwipsPerPixel = 15;
inline constexpr int twipsToPixels(int twips) { return twips / TwipsPerPixel; }
QRect pixelRect(const ControlSpec& spec);

inline constexpr int WindowClientWidth = 12465; // twips
inline constexpr int WindowClientHeight = 7425;
inline constexpr int PanelCount = 7;

QString windowCaption();
QString updatePageAddress();
QString developerQQ();
QString aboutText();

// Every control, containers before their contents, in creation order.
const QList<ControlSpec>& controlInventory();
const ControlSpec* findControl(const QString& name);
// The initial text of a field; for a template holder, the template.
QString initialText(const QString& name);
// A field's or button's name for screen readers: its label's caption or its own.
QString accessibleCaption(const QString& name);
// A field's current text by its name.
using FieldText = std::function<QString(const QString& name)>;
// The label's words without the size and colon that follow them ("海报图片地址A");
// given the fields' texts, a contact row's field adds the row's nickname
// ("头像图片地址 3（若曦）").
QString reportCaption(const QString& name, const FieldText& fieldText = {});
// The fields of a panel that hold an address, in table order.
QList<const ControlSpec*> addressFields(int panel);
// The controls with a Tab stop, in keyboard order.
const QList<QString>& focusOrder();

QString panelName(int index);  // "Frame2_<index>"
QString optionName(int index); // "Option1_<index>"
