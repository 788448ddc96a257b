#pragma once

#include <QObject>
#include <QPoint>

#include <optional>

class QWidget;

// Keeps a window's outer rectangle centred on its screen until the window
// first becomes active; after that, where it stands is the user's. Lives as
// the window's child and watches its events.
class ScreenCentring final : public QObject
{
    Q_OBJECT

public:
    explicit ScreenCentring(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::optional<QPoint> centred() const; // none without a screen

    QWidget* m_window;
};
