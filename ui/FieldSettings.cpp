#include "FieldSettings.h"

#include "ControlInventory.h"

#include <QByteArray>
#include <QSettings>
#include <QtEndian>
#include <QVariant>

namespace {

const QString Group = QStringLiteral("fields");

bool editableField(const QString& name)
{
    const ControlSpec* spec = findControl(name);
    return spec && spec->kind == ControlKind::TextField;
}

// Earlier versions wrote readable text where they could. A long value, or
// one UTF-8 cannot hold (a lone surrogate), went in as Base64 of its
// UTF-16LE units.
bool decode(const QVariant& stored, QString* value)
{
    if (stored.typeId() == QMetaType::QString) {
        *value = stored.toString();
        return true;
    }
    if (stored.typeId() != QMetaType::QByteArray)
        return false; // not theirs: a hand-edited list, for instance
    const QByteArray::FromBase64Result units
        = QByteArray::fromBase64Encoding(stored.toByteArray(), QByteArray::AbortOnBase64DecodingErrors);
    if (!units || units.decoded.size() % qsizetype(sizeof(char16_t)) != 0)
        return false;
    QString text(units.decoded.size() / qsizetype(sizeof(char16_t)), Qt::Uninitialized);
    qFromLittleEndian<char16_t>(units.decoded.constData(), text.size(), text.data());
    *value = text;
    return true;
}

} // namespace

FieldSettings::FieldSettings(const QString& filePath)
    : m_fileName(filePath)
{
}

QHash<QString, QString> FieldSettings::load() const
{
    QHash<QString, QString> values;
    QSettings settings(m_fileName, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return values;
    settings.beginGroup(Group);
    for (const QString& name : settings.childKeys()) {
        QString value;
        if (editableField(name) && decode(settings.value(name), &value))
            values.insert(name, value);
    }
    return values;
}
