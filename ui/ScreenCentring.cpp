#include "ScreenCentring.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

ScreenCentring::ScreenCentring(QWidget* window)
    : m_window(window)
{
    centre();
}

void ScreenCentring::centre()
{
    QScreen* screen = m_window->screen() ? m_window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Centre the outer rectangle, title bar and borders included.
    const QRect area = screen->geometry();
    const QRect outer = m_window->frameGeometry();
    const double top = area.height() / 2.0 - outer.height() / 2.0;
    const double left = area.width() / 2.0 - outer.width() / 2.0;
    m_window->move(area.x() + qRound(left), area.y() + qRound(top));
}

bool ScreenCentring::isCentred() const
{
    const QScreen* screen = m_window->screen();
    if (!screen)
        return true;
    const QRect area = screen->geometry();
    const QRect outer = m_window->frameGeometry();
    const auto offCentre = [](int start, int length, int areaStart, int areaLength) {
        return qAbs(2 * (start - areaStart) + length - areaLength);
    };
    // Within a pixel: odd sizes cannot be centred more exactly.
    return offCentre(outer.x(), outer.width(), area.x(), area.width()) <= 2
        && offCentre(outer.y(), outer.height(), area.y(), area.height()) <= 2;
}

void ScreenCentring::windowHandled(const QEvent* event)
{
    // The frame's size is known only once a window manager has framed the
    // window, and the placement asked for before that was computed without
    // it: centre again by the real outer rectangle.
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowActivate:
        if (!m_settled && m_window->isVisible()
            && m_window->frameGeometry().size() != m_window->size() && !isCentred())
            centre();
        break;
    default:
        break;
    }
    if (event->type() == QEvent::WindowActivate)
        m_settled = true;
}
