#include "WindowPicture.h"

#include <QImage>

namespace {

// ":/pictures/Image1_0.jpg" becomes ":/pictures/Image1_0@2x.jpg".
QString twiceAsLarge(const QString& resource)
{
    const qsizetype dot = resource.lastIndexOf(QLatin1Char('.'));
    return resource.left(dot) + QStringLiteral("@2x") + resource.mid(dot);
}

} // namespace

QPixmap windowPicture(const QString& resource, QSize shown, qreal devicePixelRatio)
{
    // Even at 125 % the 2x drawing scaled down beats the 1x one scaled up.
    qreal drawnAt = 2;
    QImage image = devicePixelRatio > 1 ? QImage(twiceAsLarge(resource)) : QImage();
    if (image.isNull()) {
        image = QImage(resource);
        drawnAt = 1;
    }
    if (image.isNull())
        return {};
    if (shown.isEmpty())
        shown = (QSizeF(image.size()) / drawnAt).toSize();
    // Rounded as QLabel rounds, so it draws the pixels as they are.
    const QSize device = shown * devicePixelRatio;
    QPixmap pixmap
        = QPixmap::fromImage(image.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

WindowPicture::WindowPicture(const QString& resource, QSize stretchedTo, QWidget* parent)
    : QLabel(parent)
    , m_resource(resource)
    , m_shown(stretchedTo)
{
    draw();
}

void WindowPicture::paintEvent(QPaintEvent* event)
{
    // On a screen of another scale QLabel would stretch the old drawing and blur it.
    if (devicePixelRatio() != m_drawnFor)
        draw();
    QLabel::paintEvent(event);
}

void WindowPicture::draw()
{
    m_drawnFor = devicePixelRatio();
    setPixmap(windowPicture(m_resource, m_shown, m_drawnFor));
}
