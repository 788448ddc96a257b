#include "UiSetup.h"

#include <QApplication>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>

#include <cstdio>
#include <cstdlib>

QString missingDisplayReason()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // A chosen platform plugin (offscreen, wayland …) is the user's business.
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return QString();
    const QString display = qEnvironmentVariable("DISPLAY");
    const QString hint = QStringLiteral(
        "run it from a terminal inside your desktop session, or start a virtual display first: "
        "Xvfb :1 & DISPLAY=:1 shiputong");
    if (display.isEmpty())
        return QStringLiteral("shiputong: no display (DISPLAY is not set); ") + hint;
    // A local display ":N" is served through its socket; without it Qt would abort.
    if (display.startsWith(QLatin1Char(':'))) {
        const QString number = display.mid(1).section(QLatin1Char('.'), 0, 0);
        if (!QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X") + number))
            return QStringLiteral("shiputong: no X server is running on display ") + display
                + QStringLiteral("; ") + hint;
    }
#endif
    return QString();
}

namespace {

QtMessageHandler previousHandler = nullptr;

void startupMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        const QByteArray display = qgetenv("DISPLAY");
        std::fprintf(stderr, "shiputong: cannot open a window on display %s; run it inside your desktop session, or start a virtual display first: Xvfb :1 & DISPLAY=:1 shiputong\n",
                     display.isEmpty() ? "(none)" : display.constData());
        std::fflush(stderr);
        std::_Exit(1);
    }
    const QLatin1String category(context.category ? context.category : "");
    if (category.startsWith(QLatin1String("qt.qpa")))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

void installStartupMessageHandler()
{
    previousHandler = qInstallMessageHandler(startupMessageHandler);
}

void removeStartupMessageHandler()
{
    qInstallMessageHandler(previousHandler);
    previousHandler = nullptr;
}

void applyWindowFont(QApplication& app)
{
#ifdef Q_OS_WIN
    // On Windows the layout was drawn for SimSun (宋体): at 9 points and
    // 96 dpi its line is 12 pixels. NSimSun shares its metrics; without
    // either, Qt falls back to the system's own UI face.
    QFont font;
    font.setFamilies({ QStringLiteral("SimSun"), QStringLiteral("NSimSun"), QStringLiteral("宋体") });
    font.setPointSize(9);
    app.setFont(font);
#else
    // A Song face whose 9-point line is 12 pixels, the 180 twips the layout
    // was drawn for; Noto's taller lines would not fit the labels and the
    // About text.
    QFont font(QStringLiteral("AR PL UMing CN"));
    font.setPointSize(9);
    font.setStyleHint(QFont::SansSerif);
    // Unhinted glyphs keep the same 12-pixel line and advances, and spare
    // start-up the hinting of every glyph the first panel shows.
    font.setHintingPreference(QFont::PreferNoHinting);
    app.setFont(font);
#endif
}
