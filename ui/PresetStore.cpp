#include "PresetStore.h"

#include "ControlInventory.h"
#include "FieldSettings.h"
#include "SnippetFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSettings>

namespace {

const QString FirstName = QStringLiteral("默认方案");

bool editable(const QString& name)
{
    const ControlSpec* spec = findControl(name);
    return spec && spec->kind == ControlKind::TextField;
}

// What a 方案's file keeps of `values` on top of `kept`: a value equal to
// the sample is forgotten, a name that is no field is dropped.
QHash<QString, QString> merged(QHash<QString, QString> kept, const QHash<QString, QString>& values)
{
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (!editable(it.key()))
            continue;
        if (it.value() == initialText(it.key()))
            kept.remove(it.key());
        else
            kept.insert(it.key(), it.value());
    }
    return kept;
}

QHash<QString, QString> withSamples(const QHash<QString, QString>& stored)
{
    QHash<QString, QString> all;
    for (const ControlSpec& spec : controlInventory()) {
        if (spec.kind == ControlKind::TextField)
            all.insert(spec.name, stored.value(spec.name, spec.text));
    }
    return all;
}

QByteArray fileHead(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(PresetHeadBytes) : QByteArray();
}

// The settings folder of this user, found without reading a file in it:
// the probe's file does not exist. On Windows an INI file, not the registry.
QFileInfo settingsProbe()
{
#ifdef Q_OS_WIN
    constexpr QSettings::Format format = QSettings::IniFormat;
#else
    constexpr QSettings::Format format = QSettings::NativeFormat;
#endif
    return QFileInfo(QSettings(format, QSettings::UserScope, QStringLiteral("shiputong"), QStringLiteral("presets")).fileName());
}

} // namespace

PresetStore::PresetStore()
    : PresetStore(settingsProbe().absolutePath() + QStringLiteral("/presets"),
                  settingsProbe().absolutePath() + QStringLiteral("/shiputong.") + settingsProbe().suffix())
{
}

PresetStore::PresetStore(const QString& folder, const QString& earlierValues)
    : m_folder(folder)
    , m_earlierValues(earlierValues)
{
}

QString PresetStore::filePath(const QString& id) const
{
    return m_folder + QLatin1Char('/') + id + QStringLiteral(".json");
}

QString PresetStore::lastUsedPath() const
{
    return m_folder + QStringLiteral("/last-used");
}

QStringList PresetStore::ids(qsizetype enough) const
{
    // Unsorted and without a name filter: start-up asks for two at most, and
    // a store of hundreds must not cost it a sorted listing.
    QStringList found;
    const QString suffix = QStringLiteral(".json");
    for (QDirIterator it(m_folder, QDir::Files); it.hasNext() && found.size() != enough;) {
        const QString name = it.nextFileInfo().fileName();
        if (name.endsWith(suffix))
            found << name.chopped(suffix.size());
    }
    return found;
}

QString PresetStore::newId() const
{
    QString id;
    do {
        id = QString::number(QRandomGenerator::system()->generate64(), 16).rightJustified(16, QLatin1Char('0'));
    } while (QFile::exists(filePath(id)));
    return id;
}

bool PresetStore::open(const QString& wanted)
{
    if (ids(1).isEmpty())
        upgrade();
    QString id;
    bool found = wanted.isEmpty();
    if (!wanted.isEmpty()) {
        for (const PresetEntry& entry : presets()) {
            if (entry.name == presetName(wanted)) {
                id = entry.id;
                found = true;
            }
        }
    }
    QString lastUsed;
    if (QFile last(lastUsedPath()); last.open(QIODevice::ReadOnly))
        lastUsed = QString::fromLatin1(last.read(64)).trimmed();
    if (id.isEmpty())
        id = !lastUsed.isEmpty() && QFile::exists(filePath(lastUsed)) ? lastUsed : presets().value(0).id;
    if (!id.isEmpty() && id != m_currentId)
        load(id);
    // Start-up writes nothing unless the one opened is not the one used last.
    if (m_currentId != lastUsed)
        rememberLastUsed();
    return found;
}

bool PresetStore::load(const QString& id)
{
    const PresetFileContent content = readPresetFile(filePath(id));
    m_currentId = id;
    if (content.problem.isEmpty()) {
        m_currentName = content.presets.first().name;
        m_values = merged({}, content.presets.first().fields);
        return true;
    }
    report(QStringLiteral("preset file %1 is damaged and was skipped: %2")
               .arg(QDir::toNativeSeparators(filePath(id)), content.problem));
    m_reportedDamage << id;
    // The samples under its name, and its file stays until a field changes.
    m_currentName = presetNameFromHead(fileHead(filePath(id))).value_or(QString());
    if (m_currentName.isEmpty())
        m_currentName = numberedPresetName(FirstName, names());
    m_values.clear();
    return false;
}

void PresetStore::upgrade()
{
    QHash<QString, QString> earlier;
    if (QFileInfo(m_earlierValues).isFile())
        earlier = FieldSettings(m_earlierValues).load();
    m_currentId = newId();
    m_currentName = FirstName;
    m_values = merged({}, earlier);
    write(m_currentId, m_currentName, m_values);
    rememberLastUsed();
}

QHash<QString, QString> PresetStore::currentFullValues() const
{
    return withSamples(m_values);
}

QList<PresetEntry> PresetStore::presets() const
{
    QList<PresetEntry> entries;
    bool currentListed = false;
    for (const QString& id : ids()) {
        std::optional<QString> name = presetNameFromHead(fileHead(filePath(id)));
        if (!name) {
            // Written by hand or by another program: the whole file tells.
            const PresetFileContent content = readPresetFile(filePath(id));
            if (content.problem.isEmpty())
                name = content.presets.first().name;
            else if (!m_reportedDamage.contains(id)) {
                m_reportedDamage << id;
                report(QStringLiteral("preset file %1 is damaged and was skipped: %2")
                           .arg(QDir::toNativeSeparators(filePath(id)), content.problem));
            }
        }
        if (id == m_currentId) {
            name = m_currentName;
            currentListed = true;
        }
        if (name)
            entries.append({ id, *name });
    }
    if (!currentListed && !m_currentId.isEmpty())
        entries.append({ m_currentId, m_currentName });
    QStringList order;
    for (const PresetEntry& entry : entries)
        order << entry.name;
    sortPresetNames(order);
    std::sort(entries.begin(), entries.end(), [&order](const PresetEntry& a, const PresetEntry& b) {
        return order.indexOf(a.name) < order.indexOf(b.name);
    });
    return entries;
}

QStringList PresetStore::names() const
{
    QStringList list;
    for (const PresetEntry& entry : presets())
        list << entry.name;
    return list;
}

bool PresetStore::hasSeveral() const
{
    const QStringList files = ids(2);
    return files.size() + (m_currentId.isEmpty() || files.contains(m_currentId) ? 0 : 1) > 1;
}

bool PresetStore::save(const QHash<QString, QString>& values)
{
    const QHash<QString, QString> now = merged(m_values, values);
    if (now == m_values && !m_unwritten)
        return true;
    m_values = now;
    m_unwritten = !write(m_currentId, m_currentName, m_values);
    return !m_unwritten;
}

bool PresetStore::create(const QString& name, const QHash<QString, QString>& values)
{
    if (!presetNameProblem(name, names()).isEmpty())
        return false;
    const QString id = newId();
    const QHash<QString, QString> kept = merged({}, values);
    if (!write(id, presetName(name), kept))
        return false;
    m_currentId = id;
    m_currentName = presetName(name);
    m_values = kept;
    m_unwritten = false;
    rememberLastUsed();
    return true;
}

bool PresetStore::switchTo(const QString& id)
{
    if (id.isEmpty() || (id != m_currentId && !QFile::exists(filePath(id))))
        return false;
    load(id);
    m_unwritten = false;
    rememberLastUsed();
    return true;
}

bool PresetStore::renameCurrent(const QString& name)
{
    QStringList others = names();
    others.removeOne(m_currentName);
    if (!presetNameProblem(name, others).isEmpty() || !write(m_currentId, presetName(name), m_values))
        return false;
    m_currentName = presetName(name);
    m_unwritten = false;
    return true;
}

bool PresetStore::removeCurrent()
{
    if (!hasSeveral())
        return false;
    if (QFile::exists(filePath(m_currentId)) && !QFile::remove(filePath(m_currentId))) {
        report(QStringLiteral("preset file %1 cannot be removed").arg(QDir::toNativeSeparators(filePath(m_currentId))));
        return false;
    }
    const QString gone = m_currentId;
    m_currentId.clear();
    for (const PresetEntry& entry : presets()) {
        if (entry.id != gone)
            return switchTo(entry.id);
    }
    return false;
}

QList<Preset> PresetStore::exportable(const QStringList& wanted, QStringList* damaged) const
{
    QList<Preset> out;
    for (const QString& id : wanted) {
        if (id == m_currentId) {
            out.append({ m_currentName, withSamples(m_values) });
            continue;
        }
        const PresetFileContent content = readPresetFile(filePath(id));
        if (content.problem.isEmpty())
            out.append({ content.presets.first().name, withSamples(merged({}, content.presets.first().fields)) });
        else if (damaged)
            *damaged << presetNameFromHead(fileHead(filePath(id))).value_or(id);
    }
    return out;
}

ImportOutcome PresetStore::import(const QList<Preset>& incoming, const std::function<NameClash(const QString&)>& clash)
{
    struct Planned
    {
        QString id;
        Preset preset;
        std::optional<QByteArray> replaced; // the bytes to put back if a later write fails
    };
    ImportOutcome outcome;
    const QList<PresetEntry> existing = presets();
    QStringList taken;
    for (const PresetEntry& entry : existing)
        taken << entry.name;
    QList<Planned> plan;
    for (const Preset& preset : incoming) {
        Planned step { newId(), { presetName(preset.name), {} }, std::nullopt };
        for (auto it = preset.fields.cbegin(); it != preset.fields.cend(); ++it) {
            if (!editable(it.key()) && !outcome.unknownFields.contains(it.key()))
                outcome.unknownFields << it.key();
        }
        step.preset.fields = merged({}, preset.fields);
        const auto same = std::find_if(existing.cbegin(), existing.cend(),
                                       [&step](const PresetEntry& entry) { return entry.name == step.preset.name; });
        if (same != existing.cend()) {
            switch (clash(step.preset.name)) {
            case NameClash::Cancel:
                outcome.cancelled = true;
                outcome.unknownFields.clear();
                return outcome;
            case NameClash::Replace: {
                step.id = same->id;
                QFile old(filePath(same->id));
                step.replaced = old.open(QIODevice::ReadOnly) ? old.readAll() : QByteArray();
                break;
            }
            case NameClash::KeepBoth:
                step.preset.name = numberedPresetName(step.preset.name, taken);
                break;
            }
        }
        taken << step.preset.name;
        // Two new ids drawn before either file exists must still differ.
        while (std::any_of(plan.cbegin(), plan.cend(), [&step](const Planned& p) { return p.id == step.id; }))
            step.id = newId();
        plan << step;
    }

    for (qsizetype done = 0; done < plan.size(); ++done) {
        const Planned& step = plan.at(done);
        QString reason;
        if (write(step.id, step.preset.name, step.preset.fields, &reason))
            continue;
        // All or nothing: what this import wrote goes again.
        for (qsizetype undo = 0; undo < done; ++undo) {
            const Planned& back = plan.at(undo);
            QString ignored;
            if (back.replaced)
                writeWholeFile(filePath(back.id), *back.replaced, &ignored);
            else
                QFile::remove(filePath(back.id));
        }
        outcome.problem = reason;
        outcome.unknownFields.clear();
        return outcome;
    }
    for (const Planned& step : plan) {
        outcome.imported << step.preset.name;
        if (step.id == m_currentId) {
            m_values = step.preset.fields;
            m_unwritten = false;
            outcome.currentReplaced = true;
        }
    }
    return outcome;
}

bool PresetStore::write(const QString& id, const QString& name, const QHash<QString, QString>& values, QString* reason)
{
    QString why;
    if (QDir().mkpath(m_folder) && writeWholeFile(filePath(id), presetFileBytes({ { name, values } }), &why))
        return true;
    if (why.isEmpty())
        why = QStringLiteral("the folder cannot be made");
    if (reason)
        *reason = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(filePath(id)), why);
    if (!m_reportedWrite) {
        m_reportedWrite = true;
        report(QStringLiteral("field values cannot be kept: %2 (方案 %1) cannot be written (%3); "
                              "this run works on, but its values will not come back at the next start")
                   .arg(name, QDir::toNativeSeparators(filePath(id)), why));
    }
    return false;
}

void PresetStore::rememberLastUsed()
{
    QString ignored;
    if (QDir().mkpath(m_folder))
        writeWholeFile(lastUsedPath(), m_currentId.toLatin1(), &ignored);
}
