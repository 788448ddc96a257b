#pragma once

#include "PresetFile.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <functional>
#include <optional>

// One 方案 in the store: its file's id and its name.
struct PresetEntry
{
    QString id;
    QString name;
};

// What to do with an imported 方案 whose name is taken.
enum class NameClash
{
    Replace,
    KeepBoth,
    Cancel,
};

struct ImportOutcome
{
    bool cancelled = false;
    QStringList imported; // the names they came in under
    QStringList unknownFields; // skipped, each named once
    bool currentReplaced = false; // the window must take the current values again
    QString problem; // a write failed: nothing came in
};

// The 方案 of this user: one file per 方案 in a folder, named by a random id
// with the name inside, and a small file naming the one used last. Start-up
// reads that one alone; a program copy writes only the 方案 it works in, so
// two copies on two 方案 lose nothing of either. Values equal to the samples
// are not stored: such a field follows the program's sample.
class PresetStore
{
public:
    PresetStore(); // the user's, beside the values earlier versions kept
    // `folder` holds the store; `earlierValues` is the single-set file of
    // earlier versions, read once when the store is empty and never changed.
    PresetStore(const QString& folder, const QString& earlierValues);

    QString folder() const { return m_folder; }

    // Opens `wanted` by name, else the one used last. False when `wanted`
    // was given and is not there.
    bool open(const QString& wanted = QString());

    QString currentId() const { return m_currentId; }
    QString currentName() const { return m_currentName; }
    // Only values that differ from the samples.
    QHash<QString, QString> currentValues() const { return m_values; }
    // Every field of the current 方案, samples included.
    QHash<QString, QString> currentFullValues() const;

    // Every 方案, in name order; reads each file's first bytes only.
    QList<PresetEntry> presets() const;
    QStringList names() const;
    bool hasSeveral() const;

    // Keeps the given fields' values in the current 方案; other fields keep
    // theirs. Writes only when something changed. False when not written.
    bool save(const QHash<QString, QString>& values);
    // A new 方案 holding `values`, made current. False when not written.
    bool create(const QString& name, const QHash<QString, QString>& values = {});
    bool switchTo(const QString& id);
    bool renameCurrent(const QString& name);
    // Takes away the current 方案 and opens the first left; never the last one.
    bool removeCurrent();

    // Every field of each, samples included; a damaged one is left out and named.
    QList<Preset> exportable(const QStringList& ids, QStringList* damaged = nullptr) const;
    // All of `presets` or none: names taken are settled by `clash` first.
    ImportOutcome import(const QList<Preset>& presets, const std::function<NameClash(const QString& name)>& clash);

    // Where damaged files and failed writes are told.
    std::function<void(const QString& problem)> report = [](const QString& problem) {
        std::fprintf(stderr, "shiputong: %s\n", problem.toLocal8Bit().constData());
    };

private:
    QString filePath(const QString& id) const;
    QString lastUsedPath() const;
    QStringList ids(qsizetype enough = -1) const;
    QString newId() const;
    bool load(const QString& id);
    bool write(const QString& id, const QString& name, const QHash<QString, QString>& values, QString* reason = nullptr);
    void rememberLastUsed();
    void upgrade();

    QString m_folder;
    QString m_earlierValues;
    QString m_currentId;
    QString m_currentName;
    QHash<QString, QString> m_values;
    bool m_unwritten = false; // the last write of the current 方案 failed
    bool m_reportedWrite = false;
    mutable QStringList m_reportedDamage;
};
