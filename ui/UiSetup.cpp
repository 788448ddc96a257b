#include "UiSetup.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QImageReader>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

namespace {

QtMessageHandler previousHandler = nullptr;

void startupMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    // Only the X library can tell whether a display answers (abstract
    // sockets, TCP), so Qt tries, and its failure ends here.
    if (type == QtFatalMsg) {
        const QByteArray display = qgetenv("DISPLAY");
        const QByteArray problem = display.isEmpty() ? QByteArrayLiteral("no display (DISPLAY is not set)")
                                                     : "cannot open a window on display " + display;
        std::fprintf(stderr, "shiputong: %s; run it inside your desktop session, or start a virtual display first: Xvfb :1 & DISPLAY=:1 shiputong\n",
                     problem.constData());
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
    // The layout was drawn for SimSun (宋体), a 12-pixel line at 9 points and
    // 96 dpi; NSimSun shares its metrics.
    QFont font;
    font.setFamilies({ QStringLiteral("SimSun"), QStringLiteral("NSimSun"), QStringLiteral("宋体") });
    font.setPointSize(9);
    app.setFont(font);
#else
    // A Song face with the 12-pixel (180-twip) line the layout was drawn for;
    // Noto's taller lines would not fit.
    QFont font(QStringLiteral("AR PL UMing CN"));
    font.setPointSize(9);
    font.setStyleHint(QFont::SansSerif);
    // Same metrics unhinted, and start-up skips hinting every glyph.
    font.setHintingPreference(QFont::PreferNoHinting);
    app.setFont(font);
#endif
}

QString qtTranslationFolder()
{
#ifdef Q_OS_WIN
    // The zip carries no Qt installation, only the program's own folder.
    return QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
#else
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#endif
}

bool loadQtTranslation(QApplication& app)
{
    // qtbase alone: qt_zh_CN.qm only names it and the modules we do not use.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), qtTranslationFolder())) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

QIcon programIcon()
{
    QIcon icon;
    QImageReader reader(QStringLiteral(":/icons/shiputong.ico"));
    // The 32-bit drawings only: the 4- and 8-bit ones of the same sizes are
    // for old Windows, and would cost start-up a decode each.
    do {
        if (reader.size().width() <= 128 && reader.imageFormat() == QImage::Format_ARGB32)
            icon.addPixmap(QPixmap::fromImage(reader.read()));
    } while (reader.jumpToNextImage());
    return icon;
}
