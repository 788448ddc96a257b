#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class Clipboard;
class Notifier;
class PresetStore;

// Opens an address in the owner's browser; false when no browser opened.
using UrlOpener = std::function<bool(const QUrl&)>;

// What the window reaches outside itself; tests replace each one.
struct WindowServices
{
    Clipboard* clipboard = nullptr;
    Notifier* notifier = nullptr;
    UrlOpener openUrl;
    PresetStore* presets = nullptr; // none keeps nothing between runs
    // The save and folder dialogs; empty when the user cancels.
    std::function<QString(const QString& suggestedName)> chooseSaveFile = {};
    std::function<QString()> chooseFolder = {};
    // The 方案 file to import from, or to export to (`suggestedName` given).
    std::function<QString(const QString& suggestedName)> choosePresetFile = {};
    // A 方案's name, refused in the dialog when it cannot be used; empty
    // when the user cancels.
    std::function<QString(const QString& title, const QString& initial, const QStringList& taken)> askPresetName = {};
};
