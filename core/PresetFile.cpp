#include "PresetFile.h"

#include <QCollator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

const QString Format = QStringLiteral("shiputong-presets");
const QByteArray Head = QByteArrayLiteral("{\"format\": \"shiputong-presets\", \"version\": 1, \"presets\": [\n{\"name\": ");

qsizetype characters(const QString& text)
{
    return text.toUcs4().size();
}

QString shortened(const QString& text, qsizetype limit)
{
    const QList<uint> all = text.toUcs4();
    if (all.size() <= limit)
        return text;
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(all.constData()), limit).trimmed();
}

// One JSON value as compact text; Qt escapes what UTF-8 cannot carry.
QByteArray jsonText(const QJsonValue& value)
{
    const QByteArray array = QJsonDocument(QJsonArray { value }).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

QString parseProblem(const QJsonParseError& error, qsizetype size)
{
    // Within the last character: the file ends early, as a copy cut short does.
    const bool cutShort = error.offset >= size - 4 || error.error == QJsonParseError::UnterminatedObject
        || error.error == QJsonParseError::UnterminatedArray || error.error == QJsonParseError::UnterminatedString;
    if (cutShort)
        return QStringLiteral("文件不完整（在第 %1 个字节处中断），可能没有保存完").arg(error.offset);
    return QStringLiteral("不是方案文件：第 %1 个字节处不是有效的 JSON（%2）").arg(error.offset).arg(error.errorString());
}

const QString OtherShape = QStringLiteral("不是方案文件：内容的结构不对");

} // namespace

QString presetName(const QString& typed)
{
    return typed.trimmed();
}

QString presetNameProblem(const QString& typed, const QStringList& taken)
{
    const QString name = presetName(typed);
    if (name.isEmpty())
        return QStringLiteral("名称不能为空");
    if (characters(name) > PresetNameLimit)
        return QStringLiteral("名称不能超过 %1 个字符").arg(PresetNameLimit);
    for (const QString& other : taken) {
        if (presetName(other) == name)
            return QStringLiteral("已有名为“%1”的方案").arg(name);
    }
    return QString();
}

QString numberedPresetName(const QString& name, const QStringList& taken)
{
    const QString base = presetName(name);
    if (presetNameProblem(base, taken).isEmpty())
        return base;
    for (int n = 2;; ++n) {
        const QString suffix = QStringLiteral(" (%1)").arg(n);
        const QString candidate = shortened(base, PresetNameLimit - suffix.size()) + suffix;
        if (presetNameProblem(candidate, taken).isEmpty())
            return candidate;
    }
}

void sortPresetNames(QStringList& names)
{
    QCollator collator;
    collator.setNumericMode(true);
    std::sort(names.begin(), names.end(), [&collator](const QString& a, const QString& b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
}

QByteArray presetFileBytes(const QList<Preset>& presets)
{
    QByteArray bytes = QByteArrayLiteral("{\"format\": \"shiputong-presets\", \"version\": 1, \"presets\": [");
    for (qsizetype i = 0; i < presets.size(); ++i) {
        QJsonObject fields;
        for (auto it = presets.at(i).fields.cbegin(); it != presets.at(i).fields.cend(); ++it)
            fields.insert(it.key(), it.value());
        bytes += i == 0 ? "\n" : ",\n";
        bytes += "{\"name\": " + jsonText(presets.at(i).name) + ", \"fields\": " + jsonText(fields) + '}';
    }
    bytes += "\n]}\n";
    return bytes;
}

PresetFileContent parsePresetFile(const QByteArray& bytes)
{
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return { {}, parseProblem(error, bytes.size()) };
    const QJsonObject root = document.object();
    if (!document.isObject() || !root.value(QLatin1String("format")).isString())
        return { {}, OtherShape };
    if (root.value(QLatin1String("format")).toString() != Format)
        return { {}, QStringLiteral("不是饰铺通的方案文件（格式为“%1”）").arg(root.value(QLatin1String("format")).toString()) };
    const QJsonValue version = root.value(QLatin1String("version"));
    if (!version.isDouble() || version.toDouble() < 1 || version.toDouble() != double(version.toInteger()))
        return { {}, OtherShape };
    if (version.toInteger() > PresetFormatVersion)
        return { {}, QStringLiteral("文件来自更新版本的饰铺通（格式版本 %1），请升级饰铺通").arg(version.toInteger()) };
    if (!root.value(QLatin1String("presets")).isArray())
        return { {}, OtherShape };
    const QJsonArray list = root.value(QLatin1String("presets")).toArray();
    if (list.isEmpty())
        return { {}, QStringLiteral("文件中没有方案") };

    PresetFileContent content;
    QStringList names;
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QJsonObject entry = list.at(i).toObject();
        if (!list.at(i).isObject() || !entry.value(QLatin1String("name")).isString()
            || !entry.value(QLatin1String("fields")).isObject())
            return { {}, OtherShape + QStringLiteral("（第 %1 个方案）").arg(i + 1) };
        const QString typed = entry.value(QLatin1String("name")).toString();
        if (const QString problem = presetNameProblem(typed, names); !problem.isEmpty())
            return { {}, QStringLiteral("第 %1 个方案的名称“%2”不能用：%3").arg(i + 1).arg(typed, problem) };
        Preset preset { presetName(typed), {} };
        const QJsonObject fields = entry.value(QLatin1String("fields")).toObject();
        for (auto it = fields.constBegin(); it != fields.constEnd(); ++it) {
            if (!it.value().isString())
                return { {}, QStringLiteral("方案“%1”的字段 %2 不是文字").arg(preset.name, it.key()) };
            preset.fields.insert(it.key(), it.value().toString());
        }
        names << preset.name;
        content.presets << preset;
    }
    return content;
}

PresetFileContent readPresetFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return { {}, QStringLiteral("无法读取文件：%1").arg(file.errorString()) };
    if (file.size() > PresetFileLimit)
        return { {}, QStringLiteral("文件太大（%1 MiB），方案文件最多 %2 MiB")
                         .arg(file.size() >> 20)
                         .arg(PresetFileLimit >> 20) };
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return { {}, QStringLiteral("无法读取文件：%1").arg(file.errorString()) };
    return parsePresetFile(bytes);
}

std::optional<QString> presetNameFromHead(const QByteArray& head)
{
    if (!head.startsWith(Head))
        return std::nullopt;
    // The name is one JSON string: up to its first quote not escaped.
    qsizetype end = Head.size() + 1;
    while (end < head.size() && head.at(end) != '"')
        end += head.at(end) == '\\' ? 2 : 1;
    if (end >= head.size())
        return std::nullopt;
    const QJsonDocument name = QJsonDocument::fromJson('[' + head.mid(Head.size(), end + 1 - Head.size()) + ']');
    if (!name.isArray() || !name.array().at(0).isString())
        return std::nullopt;
    return name.array().at(0).toString();
}
