#pragma once

#include <QHash>
#include <QSettings>
#include <QString>

#include <cstdio>
#include <functional>
#include <memory>

// The values of the fields the user edits, kept between runs. Template
// holders and work buffers always come from the program.
class FieldSettings
{
public:
    FieldSettings(); // the per-user settings file
    explicit FieldSettings(const QString& filePath);
    ~FieldSettings();

    QString fileName() const { return m_fileName; }

    // A missing, empty, damaged or unreadable file gives nothing.
    QHash<QString, QString> load();
    // A value equal to the initial text is forgotten, so the field follows the
    // program's default. False when not written; the first failure is reported.
    bool save(const QHash<QString, QString>& values);

    // Where a failure to write is told.
    std::function<void(const QString& problem)> report = [](const QString& problem) {
        std::fprintf(stderr, "shiputong: %s\n", problem.toLocal8Bit().constData());
    };

private:
    void open();
    void write(const QHash<QString, QString>& values);

    QString m_fileName;
    std::unique_ptr<QSettings> m_settings;
    QSettings::Status m_statusAtOpen = QSettings::NoError;
    bool m_reported = false;
};
