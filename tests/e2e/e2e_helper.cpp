// What the end-to-end scripts need to know about the window without a
// window: where a control sits on screen and which bytes a generator must
// put on the clipboard. Everything comes from the control inventory and the
// generators' pure composition, so the scripts hard-code no pixel and no
// snippet.
//
//   e2e_helper position CONTROL      centre "X Y" in window coordinates
//   e2e_helper snippet BUTTON [FIELD VALUE]...
//                                    composition of the initial field texts,
//                                    each FIELD given holding its VALUE
//   e2e_helper cleared-snippet BUTTON  the same with the 27 contact fields empty
//   e2e_helper initial FIELD         the field's text at start
//   e2e_helper reachable             buttons whose panel an option shows
//   e2e_helper option CONTROL        the number of the option that shows it
//   e2e_helper title BUTTON          title of the box confirming its snippet
//   e2e_helper keep FILE FIELD VALUE...  an earlier version's settings file
//                                    keeping those values
//   e2e_helper preset-file FILE NAME [FIELD VALUE]... [-- NAME [FIELD VALUE]...]...
//                                    an exchange file of those 方案
//   e2e_helper window-size           "WIDTH HEIGHT" of the window's client area
//   e2e_helper preview-page BUTTON FILE [FIELD VALUE]...
//                                    the preview page of that snippet, written
//                                    to FILE
//   e2e_helper caption FIELD         the field's caption in the address check's report
//   e2e_helper laid-out FIELD        "WIDTH HEIGHT" of the picture its address must lead to
//   e2e_helper menu-row CONTROL TEXT how many Down keys reach item TEXT in the
//                                    right-click menu over CONTROL
//   e2e_helper export-samples FOLDER the program's sample export into FOLDER,
//                                    then the files it wrote, in its order

#include "BrowserPreview.h"
#include "ControlInventory.h"
#include "FieldSettings.h"
#include "Generator.h"
#include "Notifier.h"
#include "PresetFile.h"
#include "PanelTable.h"
#include "PreviewPage.h"
#include "SamplePictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRect>
#include <QStringList>

#include <cstdio>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "e2e_helper: %s\n", message.toLocal8Bit().constData());
    return 2;
}

// The rectangle a visible control occupies in the window, or an empty one
// when it cannot be clicked (hidden, outside its container, on no panel).
QRect windowRect(const ControlSpec& spec)
{
    if (spec.has(ControlFlag::Hidden) || spec.has(ControlFlag::Outside))
        return {};
    QRect rect = pixelRect(spec);
    if (spec.container.isEmpty())
        return rect;
    const ControlSpec* container = findControl(spec.container);
    if (!container)
        return {};
    const QRect containerRect = pixelRect(*container);
    if (!QRect(QPoint(0, 0), containerRect.size()).contains(rect))
        return {};
    return rect.translated(containerRect.topLeft());
}

int position(const QString& name)
{
    const ControlSpec* spec = findControl(name);
    if (!spec)
        return fail(QStringLiteral("no control named ") + name);
    const QRect rect = windowRect(*spec);
    if (rect.isEmpty())
        return fail(name + QStringLiteral(" cannot be clicked"));
    const QPoint centre(rect.x() + rect.width() / 2, rect.y() + rect.height() / 2);
    std::printf("%d %d\n", centre.x(), centre.y());
    return 0;
}

// Raw bytes: CR LF and UTF-8 exactly as the clipboard must hold them.
int writeBytes(const QByteArray& bytes)
{
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size()))
        return fail(QStringLiteral("cannot write to standard output"));
    return std::fflush(stdout) == 0 ? 0 : fail(QStringLiteral("cannot write to standard output"));
}

bool isEditableField(const QString& name)
{
    const ControlSpec* field = findControl(name);
    return field && field->kind == ControlKind::TextField;
}

// FIELD VALUE pairs; false when one is not an editable field or lacks its value.
bool fieldValues(const QStringList& pairs, QHash<QString, QString>* values, QString* problem)
{
    if (pairs.size() % 2 != 0) {
        *problem = QStringLiteral("no value for ") + pairs.last();
        return false;
    }
    for (qsizetype i = 0; i < pairs.size(); i += 2) {
        if (!isEditableField(pairs.at(i))) {
            *problem = pairs.at(i) + QStringLiteral(" is no field the user edits");
            return false;
        }
        values->insert(pairs.at(i), pairs.at(i + 1));
    }
    return true;
}

QString composed(const Generator& generator, bool contactsCleared, const QHash<QString, QString>& given)
{
    return composeFromFields(generator, [&](const QString& field) {
        return contactsCleared && contactRowOf(field) > 0 ? QString() : given.value(field, initialText(field));
    });
}

int snippet(const QString& button, bool contactsCleared, const QStringList& pairs = {})
{
    const Generator* generator = generatorForButton(button);
    if (!generator)
        return fail(QStringLiteral("no generator behind ") + button);
    QHash<QString, QString> given;
    if (QString problem; !fieldValues(pairs, &given, &problem))
        return fail(problem);
    return writeBytes(composed(*generator, contactsCleared, given).toUtf8());
}

// The page a preview writes, from the initial field texts and those given.
int previewPageFile(const QString& button, const QString& file, const QStringList& pairs)
{
    const PanelSpec* panel = panelOfControl(button);
    if (!panel || !panel->offers(PanelOffer::Preview))
        return fail(QStringLiteral("no preview behind ") + button);
    QHash<QString, QString> given;
    if (QString problem; !fieldValues(pairs, &given, &problem))
        return fail(problem);
    const PreviewInput input = previewInput(
        *panel, [&given](const QString& field) { return given.value(field, initialText(field)); },
        QDateTime::currentDateTime());
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(previewPage(input)) < 0 || !out.flush())
        return fail(QStringLiteral("cannot write ") + file);
    return 0;
}

// The number of the option that shows the panel holding `control`, when the
// option and the control can both be clicked; -1 otherwise.
int optionShowing(const ControlSpec& control)
{
    const PanelSpec* panel = panelOfFrame(control.container);
    if (!panel || windowRect(control).isEmpty())
        return -1;
    const ControlSpec* option = findControl(panel->option());
    return option && !windowRect(*option).isEmpty() ? panel->index : -1;
}

// A generator is reachable when its button lies on a panel whose option the
// user can see and click.
int reachable()
{
    for (const Generator& generator : allGenerators()) {
        const ControlSpec* button = findControl(generator.button);
        if (button && optionShowing(*button) >= 0)
            std::printf("%s\n", generator.button.toUtf8().constData());
    }
    return 0;
}

int option(const QString& name)
{
    const ControlSpec* control = findControl(name);
    const int number = control ? optionShowing(*control) : -1;
    if (number < 0)
        return fail(QStringLiteral("no option shows ") + name);
    std::printf("%d\n", number);
    return 0;
}

int title(const QString& button)
{
    const Generator* generator = generatorForButton(button);
    if (!generator)
        return fail(QStringLiteral("no generator behind ") + button);
    std::printf("%s\n", generator->confirmation.title.toUtf8().constData());
    return 0;
}

// A settings file of an earlier version, as on Windows (CR LF): each value
// as plain UTF-8 text in the group the program reads. A value that needed
// escaping there would read back otherwise, so every value is read back
// through the program's own reader.
int keep(const QString& file, const QStringList& pairs)
{
    QHash<QString, QString> values;
    if (QString problem; !fieldValues(pairs, &values, &problem))
        return fail(problem);
    QByteArray text = "[fields]\r\n";
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        text += it.key().toUtf8() + '=' + it.value().toUtf8() + "\r\n";
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size())
        return fail(QStringLiteral("cannot write ") + file);
    out.close();
    const QHash<QString, QString> kept = FieldSettings(file).load();
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (kept.value(it.key()) != it.value())
            return fail(it.key() + QStringLiteral(" does not read back as plain text from ") + file);
    }
    return 0;
}

// An exchange file of 方案, each "NAME FIELD VALUE..." and separated by "--".
int presetFile(const QString& file, const QStringList& args)
{
    QList<Preset> presets;
    for (qsizetype start = 0; start < args.size();) {
        qsizetype end = args.indexOf(QStringLiteral("--"), start);
        if (end < 0)
            end = args.size();
        Preset preset { args.at(start), {} };
        if (QString problem; !fieldValues(args.mid(start + 1, end - start - 1), &preset.fields, &problem))
            return fail(problem);
        presets << preset;
        start = end + 1;
    }
    QFile out(file);
    const QByteArray bytes = presetFileBytes(presets);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        return fail(QStringLiteral("cannot write ") + file);
    return 0;
}

// Separators take no key, so the row counts items only.
int menuRow(const QString& control, const QString& text)
{
    const PanelSpec* panel = panelOfControl(control);
    const QList<PanelOffer> offers = panel ? panel->menu() : QList<PanelOffer>();
    for (qsizetype row = 0; row < offers.size(); ++row) {
        if (menuText(offers.at(row)) == text) {
            std::printf("%lld\n", static_cast<long long>(row + 1));
            return 0;
        }
    }
    return fail(QStringLiteral("no item ") + text + QStringLiteral(" in the menu over ") + control);
}

// A warning, a failed export, goes to standard error; the rest is not shown.
class ExportNotifier final : public Notifier
{
public:
    void inform(const QString&, const QString&) override {}
    void warn(const QString& title, const QString& message) override
    {
        std::fprintf(stderr, "%s: %s\n", title.toUtf8().constData(), message.toUtf8().constData());
        m_warned = true;
    }
    bool ask(const QString&, const QString&) override { return false; }
    bool warned() const { return m_warned; }

private:
    bool m_warned = false;
};

int exportSamples(const QString& folder)
{
    ExportNotifier notifier;
    exportSamplesTelling(folder, notifier);
    if (notifier.warned())
        return fail(QStringLiteral("the export failed"));
    for (const SamplePicture& sample : samplePictures()) {
        if (!QFileInfo::exists(QDir(folder).filePath(sample.file)))
            return fail(sample.file + QStringLiteral(" was not written"));
        std::printf("%s\n", sample.file.toUtf8().constData());
    }
    return 0;
}

} // namespace

int laidOut(const QString& name)
{
    const ControlSpec* field = findControl(name);
    if (!field || !field->laidOut.isValid())
        return fail(name + QStringLiteral(" is no picture address of a laid-out size"));
    std::printf("%d %d\n", field->laidOut.width(), field->laidOut.height());
    return 0;
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString mode = args.value(0);
    if (mode == QLatin1String("position") && args.size() == 2)
        return position(args.at(1));
    if (mode == QLatin1String("snippet") && args.size() >= 2)
        return snippet(args.at(1), false, args.mid(2));
    if (mode == QLatin1String("cleared-snippet") && args.size() == 2)
        return snippet(args.at(1), true);
    if (mode == QLatin1String("initial") && args.size() == 2 && findControl(args.at(1)))
        return writeBytes(initialText(args.at(1)).toUtf8());
    if (mode == QLatin1String("reachable") && args.size() == 1)
        return reachable();
    if (mode == QLatin1String("option") && args.size() == 2)
        return option(args.at(1));
    if (mode == QLatin1String("title") && args.size() == 2)
        return title(args.at(1));
    if (mode == QLatin1String("keep") && args.size() >= 4)
        return keep(args.at(1), args.mid(2));
    if (mode == QLatin1String("preset-file") && args.size() >= 3)
        return presetFile(args.at(1), args.mid(2));
    if (mode == QLatin1String("preview-page") && args.size() >= 3)
        return previewPageFile(args.at(1), args.at(2), args.mid(3));
    if (mode == QLatin1String("window-size") && args.size() == 1) {
        std::printf("%d %d\n", twipsToPixels(WindowClientWidth), twipsToPixels(WindowClientHeight));
        return 0;
    }
    if (mode == QLatin1String("caption") && args.size() == 2 && isEditableField(args.at(1)))
        return writeBytes(reportCaption(args.at(1)).toUtf8() + '\n');
    if (mode == QLatin1String("laid-out") && args.size() == 2)
        return laidOut(args.at(1));
    if (mode == QLatin1String("menu-row") && args.size() == 3)
        return menuRow(args.at(1), args.at(2));
    if (mode == QLatin1String("export-samples") && args.size() == 2)
        return exportSamples(args.at(1));
    return fail(
        QStringLiteral("usage: e2e_helper position CONTROL | snippet BUTTON [FIELD VALUE]... | "
                       "cleared-snippet BUTTON | initial FIELD | reachable | option CONTROL | title BUTTON | "
                       "keep FILE FIELD VALUE... | "
                       "preset-file FILE NAME [FIELD VALUE]... [-- NAME [FIELD VALUE]...]... | window-size | preview-page BUTTON FILE [FIELD VALUE]... | "
                       "caption FIELD | laid-out FIELD | menu-row CONTROL TEXT | export-samples FOLDER"));
}
