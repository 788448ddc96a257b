#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// A 方案: one named set of field values, as the exchange file and the store
// hold it. Field keys are the window's object names ("Text2_1").
struct Preset
{
    QString name;
    QHash<QString, QString> fields;
};

inline constexpr int PresetNameLimit = 40; // characters, after trimming
inline constexpr qint64 PresetFileLimit = qint64(64) << 20;
inline constexpr int PresetFormatVersion = 1;

// The name as kept and compared: without spaces around it.
QString presetName(const QString& typed);
// Why `typed` cannot name a 方案 beside `taken`; empty when it can.
QString presetNameProblem(const QString& typed, const QStringList& taken);
// `name` itself when free, else "名称 (2)", "名称 (3)", … the first free one,
// shortened so that it stays within the limit.
QString numberedPresetName(const QString& name, const QStringList& taken);
// Sorted as a person reads them.
void sortPresetNames(QStringList& names);

// The exchange file: UTF-8 JSON, the name ahead of the fields so that a
// store can list names from a file's first bytes. A lone surrogate goes in
// as a \uXXXX escape, which JSON's grammar allows and Qt reads back exactly.
QByteArray presetFileBytes(const QList<Preset>& presets);

struct PresetFileContent
{
    QList<Preset> presets;
    QString problem; // empty when `presets` is the whole, valid file
};
// Everything checked before anything is used: shape, format, version,
// names, values.
PresetFileContent parsePresetFile(const QByteArray& bytes);
// Refuses a file over the limit before reading it.
PresetFileContent readPresetFile(const QString& path);
// The first 方案's name from a file's first bytes, as presetFileBytes writes
// them; nothing for a file written otherwise.
std::optional<QString> presetNameFromHead(const QByteArray& head);
inline constexpr qsizetype PresetHeadBytes = 1024;
