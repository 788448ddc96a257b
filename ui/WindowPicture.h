#pragma once

#include <QLabel>
#include <QPixmap>
#include <QSize>
#include <QString>

// Above ratio 1 the @2x drawing, scaled once to the device pixels of `shown`
// (empty: its own size) and marked with the ratio, so painting scales no further.
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
