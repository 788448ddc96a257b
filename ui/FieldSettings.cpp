#include "FieldSettings.h"

#include "ControlInventory.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <QVariant>

#include <cstdio>

namespace {

const QString Group = QStringLiteral("fields");

bool isEditableField(const QString& name)
{
    const ControlSpec* spec = findControl(name);
    return spec && spec->kind == ControlKind::TextField;
}

// Values are kept as readable text where they can be. A long value, or one
// UTF-8 has no form for (a lone surrogate), is kept as the Base64 of its
// UTF-16 code units, little-endian: exact for every code unit, and written
// in one pass, where QSettings escapes text one character at a time.
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

QString userSettingsFile()
{
    // On Linux ~/.config/shiputong/shiputong.conf, in the INI format.
    const QSettings settings(QStringLiteral("shiputong"), QStringLiteral("shiputong"));
    return settings.fileName();
}

} // namespace

FieldSettings::FieldSettings()
    : FieldSettings(userSettingsFile())
{
}

FieldSettings::FieldSettings(const QString& filePath)
    : report([](const QString& problem) {
        std::fprintf(stderr, "shiputong: %s\n", problem.toLocal8Bit().constData());
        std::fflush(stderr);
    })
    , m_fileName(filePath)
{
    open();
}

FieldSettings::~FieldSettings() = default;

void FieldSettings::open()
{
    m_settings = std::make_unique<QSettings>(m_fileName, QSettings::IniFormat);
    // QSettings tells of a damaged or unreadable file only when it first
    // reads it; later calls report on writing only.
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
        if (isEditableField(name) && decode(m_settings->value(name), &value))
            values.insert(name, value);
    }
    m_settings->endGroup();
    return values;
}

bool FieldSettings::save(const QHash<QString, QString>& values)
{
    write(values);
    if (m_settings->status() == QSettings::FormatError) {
        // The file on disk is damaged and QSettings will not write over it.
        // It gave the defaults; this run's values replace it.
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
        const ControlSpec* spec = findControl(it.key());
        if (!spec || spec->kind != ControlKind::TextField)
            continue;
        // Only what changed: otherwise every click would rewrite the file,
        // a megabyte value and all.
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
