// What the end-to-end scripts need to know about the window without a
// window: where a control sits on screen and which bytes a generator must
// put on the clipboard. Everything comes from the control inventory and the
// generators' pure composition, so the scripts hard-code no pixel and no
// snippet.
//
//   e2e_helper position CONTROL      centre "X Y" in window coordinates
//   e2e_helper snippet BUTTON        composition of the initial field texts
//   e2e_helper cleared-snippet BUTTON  the same with the 27 contact fields empty
//   e2e_helper initial FIELD         the field's text at start
//   e2e_helper reachable             buttons whose panel an option shows
//   e2e_helper window-size           "WIDTH HEIGHT" of the window's client area

#include "ControlInventory.h"
#include "Generator.h"

#include <QCoreApplication>
#include <QRect>
#include <QStringList>

#include <cstdio>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "e2e_helper: %s\n", message.toLocal8Bit().constData());
    return 2;
}

QRect pixelRect(const ControlSpec& spec)
{
    return QRect(twipsToPixels(spec.left), twipsToPixels(spec.top), twipsToPixels(spec.width),
                 twipsToPixels(spec.height));
}

bool isPanel(const QString& name)
{
    return name.startsWith(QLatin1String("Frame2_"));
}

// The rectangle a visible control occupies in the window, or an empty one
// when it cannot be clicked (hidden, outside its container, on no panel).
QRect windowRect(const ControlSpec& spec)
{
    if (spec.has(Hidden) || spec.has(Outside))
        return {};
    QRect rect = pixelRect(spec);
    if (spec.container.isEmpty())
        return rect;
    const ControlSpec* container = findControl(spec.container);
    if (!container)
        return {};
    // Panels are all moved to one place at start; their design positions
    // in the inventory are not where they show.
    const QRect containerRect = isPanel(container->name)
        ? QRect(twipsToPixels(PanelLeft), twipsToPixels(PanelTop), twipsToPixels(container->width),
                twipsToPixels(container->height))
        : pixelRect(*container);
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

int snippet(const QString& button, bool contactsCleared)
{
    const Generator* generator = generatorForButton(button);
    if (!generator)
        return fail(QStringLiteral("no generator behind ") + button);
    QStringList values;
    for (const FieldStep& step : generator->steps)
        values << (contactsCleared && contactRowOf(step.field) > 0 ? QString() : initialText(step.field));
    return writeBytes(composeSnippet(initialText(generator->templateHolder), generator->steps, values).toUtf8());
}

// A generator is reachable when its button lies on a panel whose option the
// user can see and click.
int reachable()
{
    for (const Generator& generator : allGenerators()) {
        const ControlSpec* button = findControl(generator.button);
        if (!button || !isPanel(button->container))
            continue;
        const ControlSpec* option = findControl(optionName(button->container.section(QLatin1Char('_'), 1).toInt()));
        if (option && !windowRect(*option).isEmpty() && !windowRect(*button).isEmpty())
            std::printf("%s\n", generator.button.toUtf8().constData());
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString mode = args.value(0);
    if (mode == QLatin1String("position") && args.size() == 2)
        return position(args.at(1));
    if (mode == QLatin1String("snippet") && args.size() == 2)
        return snippet(args.at(1), false);
    if (mode == QLatin1String("cleared-snippet") && args.size() == 2)
        return snippet(args.at(1), true);
    if (mode == QLatin1String("initial") && args.size() == 2 && findControl(args.at(1)))
        return writeBytes(initialText(args.at(1)).toUtf8());
    if (mode == QLatin1String("reachable") && args.size() == 1)
        return reachable();
    if (mode == QLatin1String("window-size") && args.size() == 1) {
        std::printf("%d %d\n", twipsToPixels(WindowClientWidth), twipsToPixels(WindowClientHeight));
        return 0;
    }
    return fail(QStringLiteral("usage: e2e_helper position CONTROL | snippet BUTTON | "
                               "cleared-snippet BUTTON | initial FIELD | reachable | window-size"));
}
