// The pictures and icons compiled into the program: each picture is a JPEG
// of the size the window expects, with a twice-as-large drawing for scaled
// screens, the window icon holds its ten images in the depths Windows asks
// for, and the desktop PNGs match it. The whole test runs at a device pixel
// ratio of 2, as on a screen scaled to 200 %.

#include "ControlInventory.h"
#include "WindowPicture.h"
#include "WindowTestCase.h"

#include <QApplication>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QtEndian>
#include <QtTest>

namespace {

QByteArray readResource(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Decodes by content, not by the file name's suffix.
QImage decode(const QByteArray& data, QByteArray* format = nullptr)
{
    QBuffer buffer;
    buffer.setData(data);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    if (format)
        *format = reader.format();
    return reader.read();
}

quint16 le16(const QByteArray& d, qsizetype at) { return qFromLittleEndian<quint16>(d.constData() + at); }
quint32 le32(const QByteArray& d, qsizetype at) { return qFromLittleEndian<quint32>(d.constData() + at); }
qint32 les32(const QByteArray& d, qsizetype at) { return qFromLittleEndian<qint32>(d.constData() + at); }

struct IconEntry
{
    int size;
    int bits;
    int colourCount;
    int planes;
    quint32 bytes;
    quint32 offset;
};

QList<IconEntry> iconDirectory(const QByteArray& ico)
{
    QList<IconEntry> entries;
    if (ico.size() < 6)
        return entries;
    const int count = le16(ico, 4);
    for (int i = 0; i < count && 6 + 16 * (i + 1) <= ico.size(); ++i) {
        const qsizetype at = 6 + 16 * i;
        const int width = quint8(ico[at]) ? quint8(ico[at]) : 256;
        const int height = quint8(ico[at + 1]) ? quint8(ico[at + 1]) : 256;
        if (width != height)
            return {}; // every image of this icon is square
        entries.append({ width, le16(ico, at + 6), quint8(ico[at + 2]), le16(ico, at + 4),
                         le32(ico, at + 8), le32(ico, at + 12) });
    }
    return entries;
}

const QString IconPath = QStringLiteral(":/icons/shiputong.ico");

QString pngIconPath(int size)
{
    return QStringLiteral(":/icons/shiputong-%1.png").arg(size);
}

QString twiceAsLarge(QString path)
{
    return path.replace(QStringLiteral(".jpg"), QStringLiteral("@2x.jpg"));
}

QSize rectangleOf(const ControlSpec& spec)
{
    return pixelRect(spec).size();
}

} // namespace

class TestPictures : public WindowTestCase
{
    Q_OBJECT

private slots:
    void picturesAreJpegsOfTheirSize_data();
    void picturesAreJpegsOfTheirSize();
    void navigationScreenshotIsOnePicture();
    void hintAreaIsDarkEnoughForWhiteText();
    void panelPicturesAreDrawnForRatioTwo();
    void picturesFillTheirRectangleAtEveryScale_data();
    void picturesFillTheirRectangleAtEveryScale();

    void iconDirectoryListsTheTenImages();
    void iconImagesAreWellFormedBitmaps();
    void iconDecodesLikeThePngs();
    void pngIconsLoadAtTheirSizes();
};

void TestPictures::picturesAreJpegsOfTheirSize_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");

    // Pictures shown at natural size carry one pixel per 15 twips of the
    // rectangle they are laid out in.
    auto natural = [](int widthTwips, int heightTwips) {
        return QSize(widthTwips / 15, heightTwips / 15);
    };
    QTest::newRow("strip sample") << QStringLiteral(":/pictures/Image2_0.jpg") << natural(12090, 1035);
    QTest::newRow("poster") << QStringLiteral(":/pictures/Image1_2.jpg") << natural(9570, 2415);
    QTest::newRow("settings dialog") << QStringLiteral(":/pictures/Image2_1.jpg") << natural(9795, 2790);
    QTest::newRow("navigation bar") << QStringLiteral(":/pictures/Image1_3.jpg") << natural(14820, 1305);
    // Shown stretched: the contact sample is the finished block at its real size.
    QTest::newRow("contact sample") << QStringLiteral(":/pictures/Image1_0.jpg") << QSize(948, 80);
}

void TestPictures::picturesAreJpegsOfTheirSize()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);

    const QByteArray data = readResource(path);
    QVERIFY2(!data.isEmpty(), qPrintable(path));
    QVERIFY(data.startsWith("\xFF\xD8\xFF"));
    QByteArray format;
    const QImage image = decode(data, &format);
    QCOMPARE(format, QByteArray("jpeg"));
    QCOMPARE(image.size(), size);
    // A blank or single-colour picture would be a failed drawing.
    QVERIFY(image.pixel(0, 0) != image.pixel(size.width() / 2, size.height() / 2)
            || image.pixel(size.width() - 1, size.height() - 1) != image.pixel(size.width() / 2, size.height() / 2));

    const QByteArray twice = readResource(twiceAsLarge(path));
    QVERIFY2(twice.startsWith("\xFF\xD8\xFF"), qPrintable(twiceAsLarge(path)));
    QCOMPARE(decode(twice).size(), size * 2);
}

void TestPictures::navigationScreenshotIsOnePicture()
{
    // The stretched copy on the navigation panel and the natural-size copy on
    // the background panel are one screenshot.
    const QByteArray stretched = readResource(QStringLiteral(":/pictures/Image1_1.jpg"));
    const QByteArray natural = readResource(QStringLiteral(":/pictures/Image1_3.jpg"));
    QVERIFY(!stretched.isEmpty());
    QCOMPARE(stretched, natural);
    QCOMPARE(decode(stretched).size(), QSize(988, 87));
}

// The white installation hint lies over the navigation screenshot on two
// panels, once stretched and once at natural size.
void TestPictures::hintAreaIsDarkEnoughForWhiteText()
{
    int hints = 0;
    for (const ControlSpec& label : controlInventory()) {
        for (const ControlSpec& picture : controlInventory()) {
            if (!label.has(ControlFlag::WhiteOverPicture) || picture.kind != ControlKind::Picture
                || picture.container != label.container || !picture.twips.intersects(label.twips))
                continue;
            ++hints;
            const QImage image = decode(readResource(picture.text));
            QVERIFY2(!image.isNull(), qPrintable(picture.name));
            // Map the label's rectangle into the picture's own pixels.
            const double sx = double(image.width()) / picture.twips.width();
            const double sy = double(image.height()) / picture.twips.height();
            const QRect area(int((label.twips.left() - picture.twips.left()) * sx),
                             int((label.twips.top() - picture.twips.top()) * sy),
                             int(label.twips.width() * sx), int(label.twips.height() * sy));
            const QRect inside = area & image.rect();
            QVERIFY2(inside.width() > 400 && inside.height() > 10, qPrintable(label.name));
            int brightest = 0;
            for (int y = inside.top(); y <= inside.bottom(); ++y)
                for (int x = inside.left(); x <= inside.right(); ++x)
                    brightest = qMax(brightest, qGray(image.pixel(x, y)));
            QVERIFY2(brightest < 100, qPrintable(QStringLiteral("%1: brightest pixel under %2: %3")
                                                     .arg(picture.name, label.name).arg(brightest)));
        }
    }
    QCOMPARE(hints, 2);
}

void TestPictures::panelPicturesAreDrawnForRatioTwo()
{
    startWindow();
    QCOMPARE(m_window->devicePixelRatio(), 2.0);
    for (const ControlSpec& spec : controlInventory()) {
        if (spec.kind != ControlKind::Picture)
            continue;
        const QPixmap pixmap = get<QLabel>(spec.name)->pixmap();
        QCOMPARE(pixmap.size(), rectangleOf(spec) * 2);
        QCOMPARE(pixmap.devicePixelRatio(), 2.0);
        // Shown at its own size, the 2x drawing goes on screen pixel for pixel.
        if (spec.has(ControlFlag::Stretched))
            continue;
        const QImage shown = pixmap.toImage();
        const QImage drawn = decode(readResource(twiceAsLarge(spec.text)));
        QVERIFY2(shown == drawn.convertToFormat(shown.format()), qPrintable(spec.name));
    }
}

void TestPictures::picturesFillTheirRectangleAtEveryScale_data()
{
    QTest::addColumn<qreal>("ratio");
    for (qreal ratio : { 1.0, 1.25, 1.5, 1.75, 2.0 })
        QTest::addRow("%d %%", int(ratio * 100)) << ratio;
}

void TestPictures::picturesFillTheirRectangleAtEveryScale()
{
    QFETCH(qreal, ratio);
    // To the nearest device pixel, as QLabel rounds its rectangle: one pixel
    // off, and it would scale the picture a second time.
    for (const ControlSpec& spec : controlInventory()) {
        if (spec.kind != ControlKind::Picture)
            continue;
        const QSize rectangle = rectangleOf(spec);
        const QPixmap pixmap = windowPicture(spec.text, spec.has(ControlFlag::Stretched) ? rectangle : QSize(), ratio);
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
        QVERIFY2(qAbs(pixmap.width() - rectangle.width() * ratio) <= 0.5
                     && qAbs(pixmap.height() - rectangle.height() * ratio) <= 0.5,
                 qPrintable(QStringLiteral("%1: %2×%3").arg(spec.name).arg(pixmap.width()).arg(pixmap.height())));
        // Between the two drawings, the larger one scaled down: the smaller
        // blown up would blur on a 150 % laptop screen.
        if (ratio > 1) {
            const QImage shown = pixmap.toImage();
            const QImage blownUp = decode(readResource(spec.text)).scaled(pixmap.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            QVERIFY2(shown != blownUp.convertToFormat(shown.format()), qPrintable(spec.name));
        }
    }
}

void TestPictures::iconDirectoryListsTheTenImages()
{
    const QByteArray ico = readResource(IconPath);
    QVERIFY(ico.size() > 6);
    QCOMPARE(le16(ico, 0), quint16(0));
    QCOMPARE(le16(ico, 2), quint16(1)); // icon, not cursor
    QCOMPARE(le16(ico, 4), quint16(10));

    const QList<IconEntry> entries = iconDirectory(ico);
    QCOMPARE(entries.size(), 10);
    QList<QPair<int, int>> found;
    for (const IconEntry& e : entries) {
        found.append({ e.size, e.bits });
        QCOMPARE(e.planes, 1);
        QCOMPARE(e.colourCount, e.bits == 4 ? 16 : 0);
    }
    std::sort(found.begin(), found.end());
    const QList<QPair<int, int>> expected {
        { 16, 8 }, { 16, 32 }, { 32, 4 }, { 32, 8 }, { 32, 32 },
        { 48, 4 }, { 48, 8 }, { 48, 32 }, { 128, 32 }, { 256, 32 },
    };
    QCOMPARE(found, expected);
}

void TestPictures::iconImagesAreWellFormedBitmaps()
{
    const QByteArray ico = readResource(IconPath);
    const QList<IconEntry> entries = iconDirectory(ico);
    QCOMPARE(entries.size(), 10);

    QList<QPair<quint32, quint32>> spans;
    for (const IconEntry& e : entries) {
        const QString what = QStringLiteral("%1x%1 at %2 bits").arg(e.size).arg(e.bits);
        QVERIFY2(e.offset >= 6 + 16 * 10 && quint64(e.offset) + e.bytes <= quint64(ico.size()), qPrintable(what));
        QVERIFY2(e.bytes >= 40, qPrintable(what));
        spans.append({ e.offset, e.offset + e.bytes });
        // Windows reads the largest image as a PNG; the others are bitmaps.
        if (e.size == 256) {
            QVERIFY2(ico.mid(e.offset, 8) == "\x89PNG\r\n\x1a\n", qPrintable(what));
            continue;
        }

        const qsizetype at = e.offset;
        QCOMPARE(le32(ico, at), quint32(40)); // BITMAPINFOHEADER
        QCOMPARE(les32(ico, at + 4), e.size);
        QCOMPARE(les32(ico, at + 8), 2 * e.size); // colour rows plus mask rows
        QCOMPARE(le16(ico, at + 12), quint16(1));
        QCOMPARE(int(le16(ico, at + 14)), e.bits);
        QCOMPARE(le32(ico, at + 16), quint32(0)); // uncompressed

        const quint32 used = le32(ico, at + 32);
        const quint32 palette = e.bits <= 8 ? (used ? used : 1u << e.bits) : used;
        if (e.bits <= 8)
            QVERIFY2(palette <= (1u << e.bits), qPrintable(what));
        else
            QCOMPARE(palette, quint32(0));
        const quint32 stride = ((quint32(e.size) * e.bits + 31) / 32) * 4;
        const quint32 maskStride = ((quint32(e.size) + 31) / 32) * 4;
        QVERIFY2(e.bytes == 40 + 4 * palette + (stride + maskStride) * e.size,
                 qPrintable(what + QStringLiteral(": %1 bytes").arg(e.bytes)));
    }
    std::sort(spans.begin(), spans.end());
    for (qsizetype i = 1; i < spans.size(); ++i)
        QVERIFY(spans[i].first >= spans[i - 1].second);
}

void TestPictures::iconDecodesLikeThePngs()
{
    // Catches flipped rows, swapped channels and a wrong mask: each image Qt
    // reads from the icon must look like the desktop PNG of its size.
    const QByteArray ico = readResource(IconPath);
    const QList<IconEntry> entries = iconDirectory(ico);
    QCOMPARE(entries.size(), 10);

    QBuffer buffer;
    buffer.setData(ico);
    QImageReader reader(&buffer, "ico");
    QCOMPARE(reader.imageCount(), 10);
    for (int i = 0; i < entries.size(); ++i) {
        const IconEntry& e = entries[i];
        const QString what = QStringLiteral("%1x%1 at %2 bits").arg(e.size).arg(e.bits);
        QVERIFY2(reader.jumpToImage(i), qPrintable(what));
        const QImage got = reader.read().convertToFormat(QImage::Format_ARGB32);
        const QImage png = QImage(pngIconPath(e.size)).convertToFormat(QImage::Format_ARGB32);
        QVERIFY2(!got.isNull() && !png.isNull(), qPrintable(what));
        QCOMPARE(got.size(), QSize(e.size, e.size));

        int maskMismatches = 0;
        qint64 colourError = 0;
        int opaque = 0;
        for (int y = 0; y < e.size; ++y) {
            for (int x = 0; x < e.size; ++x) {
                const QRgb a = got.pixel(x, y), b = png.pixel(x, y);
                if (e.bits == 32) {
                    // True colour keeps the PNG's alpha exactly; colours are
                    // compared premultiplied, as Qt may round through that.
                    const QRgb pa = qPremultiply(a), pb = qPremultiply(b);
                    if (qAlpha(a) != qAlpha(b) || qAbs(qRed(pa) - qRed(pb)) > 1
                        || qAbs(qGreen(pa) - qGreen(pb)) > 1 || qAbs(qBlue(pa) - qBlue(pb)) > 1)
                        ++maskMismatches;
                    continue;
                }
                if ((qAlpha(a) == 255) != (qAlpha(b) >= 128))
                    ++maskMismatches;
                if (qAlpha(a) == 255 && qAlpha(b) >= 128) {
                    ++opaque;
                    colourError += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
                }
            }
        }
        QVERIFY2(maskMismatches == 0, qPrintable(what + QStringLiteral(": %1 pixels differ").arg(maskMismatches)));
        if (e.bits < 32) {
            QVERIFY2(opaque > e.size * e.size / 2, qPrintable(what));
            // A palette costs some accuracy, but not whole colours.
            const double meanError = double(colourError) / opaque;
            QVERIFY2(meanError < 24.0, qPrintable(what + QStringLiteral(": mean error %1").arg(meanError)));
        }
    }
}

void TestPictures::pngIconsLoadAtTheirSizes()
{
    for (int size : { 16, 32, 48, 128, 256 }) {
        const QByteArray data = readResource(pngIconPath(size));
        QVERIFY2(data.startsWith("\x89PNG"), qPrintable(pngIconPath(size)));
        const QImage image = decode(data);
        QCOMPARE(image.size(), QSize(size, size));
        QVERIFY(image.hasAlphaChannel());
        // Rounded corners: the corner is see-through, the middle is not.
        QVERIFY(qAlpha(image.pixel(0, 0)) < 32);
        QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
    }
}

int main(int argc, char* argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestPictures test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_pictures.moc"
