#include "ScreenCentring.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

ScreenCentring::ScreenCentring(QWidget* window)
    : QObject(window)
    , m_window(window)
{
    if (const auto at = centred())
        m_window->move(*at);
    m_window->installEventFilter(this);
}

std::optional<QPoint> ScreenCentring::centred() const
{
    QScreen* screen = m_window->screen() ? m_window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return std::nullopt;
    // The outer rectangle, title bar and borders included.
    const QRect area = screen->geometry();
    const QRect outer = m_window->frameGeometry();
    return QPoint(area.x() + qRound(area.width() / 2.0 - outer.width() / 2.0),
                  area.y() + qRound(area.height() / 2.0 - outer.height() / 2.0));
}

bool ScreenCentring::eventFilter(QObject*, QEvent* event)
{
    // The frame's size is known only once a window manager has framed the
    // window: centre again by the real outer rectangle.
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowActivate:
        if (m_window->isVisible() && m_window->frameGeometry().size() != m_window->size()) {
            // Within a pixel: odd sizes cannot be centred more exactly.
            const auto at = centred();
            const QPoint off = at ? m_window->frameGeometry().topLeft() - *at : QPoint();
            if (qAbs(off.x()) > 1 || qAbs(off.y()) > 1)
                m_window->move(*at);
        }
        break;
    default:
        break;
    }
    if (event->type() == QEvent::WindowActivate)
        m_window->removeEventFilter(this);
    return false;
}
