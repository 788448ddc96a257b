#pragma once

#include <QHash>
#include <QString>

// The field values earlier versions kept in their one settings file (an
// INI file). Read once, when they become the first 方案; never written.
class FieldSettings
{
public:
    explicit FieldSettings(const QString& filePath);

    // A missing, empty, damaged or unreadable file gives nothing.
    QHash<QString, QString> load() const;

private:
    QString m_fileName;
};
