#pragma once

#include <QString>
#include <QUrl>

#include <functional>

class Clipboard;
class FieldSettings;
class Notifier;

// Opens an address in the owner's browser; false when no browser opened.
using UrlOpener = std::function<bool(const QUrl&)>;

// What the window reaches outside itself; tests replace each one.
struct WindowServices
{
    Clipboard* clipboard = nullptr;
    Notifier* notifier = nullptr;
    UrlOpener openUrl;
    FieldSettings* fieldSettings = nullptr; // none keeps nothing between runs
    // The save and folder dialogs; empty when the user cancels.
    std::function<QString(const QString& suggestedName)> chooseSaveFile = {};
    std::function<QString()> chooseFolder = {};
};
