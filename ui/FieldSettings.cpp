#include "FieldSettings.h"

#include "ControlInventory.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <QVariant>

namespace {

const QString Group = QStringLiteral("fields");

const ControlSpec* editableField(const QString& name)
{
    const ControlSpec* spec = findControl(name);
    return spec && spec->kind == ControlKind::TextField ? spec : nullptr;
}

// Readable text where possible. A long value, or one UTF-8 cannot hold (a lone
// surrogate), goes in as Base64 of its UTF-16LE units: exact, and written in one
// pass where QSettings escapes text a character at a time.
constexpr qsizetype LongestTextValue = 4096;

QVariant encode(const QString& value)
{
    if (value.size() <= LongestTextValue && value.isValidUtf16())
        return value;
    QByteArray units(value.size() * qsizetype(sizeof(char16_t)), Qt::Uninitialized);
    qToLittleEndian<char16_t>(value.utf16(), value.size(), units.data());
    return units.toBase64();
}

bool decode(const QVariant& stored, QString* value)
{
    if (stored.typeId() == QMetaType::QString) {
        *value = stored.toString();
        return true;
    }
    if (stored.typeId() != QMetaType::QByteArray)
        return false; // not written by us: a hand-edited list, for instance
    const QByteArray::FromBase64Result units
        = QByteArray::fromBase64Encoding(stored.toByteArray(), QByteArray::AbortOnBase64DecodingErrors);
    if (!units || units.decoded.size() % qsizetype(sizeof(char16_t)) != 0)
        return false;
    QString text(units.decoded.size() / qsizetype(sizeof(char16_t)), Qt::Uninitialized);
    qFromLittleEndian<char16_t>(units.decoded.constData(), text.size(), text.data());
    *value = text;
    return true;
}

// A file on every system: Windows's native format is the registry.
#ifdef Q_OS_WIN
constexpr QSettings::Format UserFileFormat = QSettings::IniFormat;
#else
constexpr QSettings::Format UserFileFormat = QSettings::NativeFormat;
#endif

} // namespace

FieldSettings::FieldSettings()
    : FieldSettings(QSettings(UserFileFormat, QSettings::UserScope, QStringLiteral("shiputong"),
                              QStringLiteral("shiputong"))
                        .fileName())
{
}

FieldSettings::FieldSettings(const QString& filePath)
    : m_fileName(filePath)
{
    open();
}

FieldSettings::~FieldSettings() = default;

void FieldSettings::open()
{
    m_settings = std::make_unique<QSettings>(m_fileName, QSettings::IniFormat);
    // Only the first read tells of a damaged or unreadable file.
    m_statusAtOpen = m_settings->status();
}

QHash<QString, QString> FieldSettings::load()
{
    QHash<QString, QString> values;
    if (m_statusAtOpen != QSettings::NoError)
        return values;
    m_settings->beginGroup(Group);
    for (const QString& name : m_settings->childKeys()) {
        QString value;
        if (editableField(name) && decode(m_settings->value(name), &value))
            values.insert(name, value);
    }
    m_settings->endGroup();
    return values;
}

bool FieldSettings::save(const QHash<QString, QString>& values)
{
    write(values);
    if (m_settings->status() == QSettings::FormatError) {
        // QSettings will not write over a damaged file; this run's values replace it.
        m_settings.reset();
        QFile::remove(m_fileName);
        open();
        write(values);
    }
    if (m_settings->status() == QSettings::NoError)
        return true;
    if (!m_reported && report) {
        m_reported = true;
        report(QStringLiteral("field values cannot be kept: %1 cannot be written; "
                              "this run works on, but its values will not come back at the next start")
                   .arg(QFileInfo(m_fileName).absoluteFilePath()));
    }
    return false;
}

void FieldSettings::write(const QHash<QString, QString>& values)
{
    m_settings->beginGroup(Group);
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const ControlSpec* spec = editableField(it.key());
        if (!spec)
            continue;
        // Only what changed: else every click rewrites megabyte values.
        if (it.value() == spec->text) {
            if (m_settings->contains(it.key()))
                m_settings->remove(it.key());
        } else if (const QVariant value = encode(it.value()); m_settings->value(it.key()) != value) {
            m_settings->setValue(it.key(), value);
        }
    }
    m_settings->endGroup();
    m_settings->sync();
}
