#pragma once

#include "MainWindow.h"
#include "TestSupport.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QUrl>
#include <QtTest>
#include <memory>

// What every test of the real window sets up: a temporary home of its own,
// a scripted clipboard, a notifier that records its boxes, an opener that
// records what it is asked to open, and the window. A test class derives
// from it and starts the window in init().
class WindowTestCase : public QObject
{
protected:
    TemporaryHome m_home; // before any window: its own settings
    FakeClipboard m_clipboard;
    RecordingNotifier m_notifier;
    QList<QUrl> m_opened;
    bool m_openerWorks = true;
    std::unique_ptr<MainWindow> m_window;

    // A new window, shown, on the clipboard, notifier and opener, fresh
    // unless `freshRecorders` is false; `services` gives what else the test
    // injects.
    void startWindow(WindowServices services = {}, bool freshRecorders = true)
    {
        if (freshRecorders) {
            m_clipboard = FakeClipboard();
            m_notifier = RecordingNotifier();
            m_opened.clear();
            m_openerWorks = true;
        }
        services.clipboard = &m_clipboard;
        services.notifier = &m_notifier;
        services.openUrl = [this](const QUrl& url) {
            m_opened << url;
            return m_openerWorks;
        };
        m_window = std::make_unique<MainWindow>(services);
        m_window->show();
    }

    template <typename T = QWidget> T* get(const QString& name)
    {
        return controlOf<T>(*m_window, name);
    }
    // Keys as the window system hands them over: to whichever control has the focus.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(m_window->windowHandle(), key, modifiers);
    }
    // Right-clicks `name` and returns the menu that opened, if any.
    QMenu* rightClick(const QString& name)
    {
        QWidget* widget = get(name);
        const QPoint pos(2, 2);
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, widget->mapToGlobal(pos));
        QApplication::sendEvent(widget, &event);
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }
    static QStringList captions(const QMenu* menu)
    {
        QStringList texts;
        for (const QAction* action : menu->actions())
            texts << action->text();
        return texts;
    }
};
