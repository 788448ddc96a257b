#pragma once

#include "PresetStore.h"

#include <QString>
#include <QStringList>

#include <functional>

class Notifier;
class QWidget;

// The exchange file between the store and the owner's disk, each ending in
// one box that says what happened.

// Reads the whole file, then imports all of it or nothing.
ImportOutcome importPresetFile(PresetStore& store, const QString& path, Notifier& notifier,
                               const std::function<NameClash(const QString& name)>& clash);
// Every field of each 方案 `ids` names; an earlier file stays unless the new
// one was written whole. True when written.
bool exportPresetFile(const PresetStore& store, const QStringList& ids, const QString& path, Notifier& notifier);

// The file dialog: to export to when `suggestedName` is given, else to
// import from. Empty when the user cancels.
QString choosePresetFile(QWidget* parent, const QString& suggestedName);
