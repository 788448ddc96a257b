#pragma once

#include <QPoint>

#include <optional>

class QEvent;
class QWidget;

// Keeps a window's outer rectangle centred on its screen until the window
// first becomes active; after that, where it stands is the user's.
class ScreenCentring final
{
public:
    explicit ScreenCentring(QWidget* window);

    // With every event, after the window has handled it.
    void windowHandled(const QEvent* event);

private:
    std::optional<QPoint> centred() const; // none without a screen

    QWidget* m_window;
    bool m_settled = false;
};
