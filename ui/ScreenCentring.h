#pragma once

class QEvent;
class QWidget;

// Keeps a top-level window centred on its screen, by its outer rectangle,
// from now until it first becomes active. After that, where the window
// stands is the user's.
class ScreenCentring final
{
public:
    explicit ScreenCentring(QWidget* window);

    // To be called with every event, after the window has handled it.
    void windowHandled(const QEvent* event);

private:
    void centre();
    bool isCentred() const;

    QWidget* m_window;
    bool m_settled = false;
};
