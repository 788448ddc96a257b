#pragma once

#include <QLabel>
#include <QPixmap>
#include <QSize>
#include <QString>

// A compiled-in picture for a screen of the given device pixel ratio: taken
// from its @2x drawing above a ratio of 1, scaled once, straight to the
// device pixels of `shown` (the picture's own size when `shown` is empty),
// and marked with that ratio so that painting scales it no further.
QPixmap windowPicture(const QString& resource, QSize shown, qreal devicePixelRatio);

// A picture of the window that keeps to the scale of the screen it is on.
class WindowPicture final : public QLabel
{
    Q_OBJECT

public:
    // `stretchedTo` is the size the picture fills; empty shows it at its own size.
    WindowPicture(const QString& resource, QSize stretchedTo, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void draw();

    QString m_resource;
    QSize m_shown;
    qreal m_drawnFor = 0;
};
