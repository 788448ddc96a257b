#pragma once

#include <QHash>
#include <QString>

#include <QSettings>

#include <functional>
#include <memory>

// The values of the fields the user edits, kept between runs in the user's
// settings (on Linux ~/.config/shiputong/shiputong.conf). Only fields the
// control table marks as editable are read or written: template holders and
// work buffers always come from the program.
class FieldSettings
{
public:
    // The per-user settings file.
    FieldSettings();
    // A settings file at a path of the caller's choosing.
    explicit FieldSettings(const QString& filePath);
    ~FieldSettings();

    QString fileName() const { return m_fileName; }

    // The stored value of every editable field that has one. A missing,
    // empty, damaged or unreadable file gives nothing, so every field keeps
    // its initial text.
    QHash<QString, QString> load();

    // Keeps each editable field's value; a value equal to the field's initial
    // text is forgotten, so that field follows the program's default. False
    // when the file could not be written; the first such failure is reported.
    bool save(const QHash<QString, QString>& values);

    // Where a failure to write is told: standard error, unless replaced.
    std::function<void(const QString& problem)> report;

private:
    void open();
    void write(const QHash<QString, QString>& values);

    QString m_fileName;
    std::unique_ptr<QSettings> m_settings;
    QSettings::Status m_statusAtOpen = QSettings::NoError;
    bool m_reported = false;
};
