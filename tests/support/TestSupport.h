#pragma once

#include "Clipboard.h"
#include "Generator.h"
#include "Notifier.h"

#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <optional>
#include <thread>

// A clipboard whose every answer a test scripts. By default it works like a
// free clipboard; each operation is counted.
class FakeClipboard final : public Clipboard
{
public:
    QString content;
    int clears = 0;
    int sets = 0;
    int reads = 0;
    int deliveriesStarted = 0;
    int deliveriesEnded = 0;
    // How long each read takes: an owner slow to answer, or one that never
    // does and leaves the reader to its timeout.
    std::chrono::milliseconds readTakes { 0 };

    // Return false to make the n-th call (1-based) have no effect.
    std::function<bool(int call)> clearWorks = [](int) { return true; };
    std::function<bool(int call)> setWorks = [](int) { return true; };
    std::function<bool(int call)> readWorks = [](int) { return true; };
    // What a working set leaves on the clipboard; another program taking the
    // clipboard or a clipboard that alters text is scripted here.
    std::function<QString(int call, const QString& text)> stores
        = [](int, const QString& text) { return text; };

    void clear() override
    {
        ++clears;
        if (clearWorks(clears))
            content.clear();
    }
    void setText(const QString& text) override
    {
        ++sets;
        if (setWorks(sets))
            content = stores(sets, text);
    }
    std::optional<QString> text() override
    {
        ++reads;
        if (readTakes.count() > 0)
            std::this_thread::sleep_for(readTakes);
        if (!readWorks(reads))
            return std::nullopt;
        return content;
    }
    void deliveryStarted() override { ++deliveriesStarted; }
    void deliveryEnded() override { ++deliveriesEnded; }
    bool delivering() const { return deliveriesStarted > deliveriesEnded; }
};

// Records every box instead of showing it, and answers questions from a queue
// (Yes, or the first answer, when the queue is empty).
class RecordingNotifier final : public Notifier
{
public:
    enum class Kind { Inform, Warn, Ask, Choose };
    struct Box
    {
        Kind kind;
        QString title;
        QString message;
        bool offeredSave = false; // a warning with "保存到文件…"
    };
    QList<Box> boxes;
    QList<bool> answers;
    // The index of the answer taken, question by question, for choose().
    QList<qsizetype> choices;
    // Whether the user takes "保存到文件…", box by box (not when empty).
    QList<bool> saveChoices;

    void inform(const QString& title, const QString& message) override
    {
        boxes.append({ Kind::Inform, title, message });
    }
    void warn(const QString& title, const QString& message) override
    {
        boxes.append({ Kind::Warn, title, message });
    }
    bool ask(const QString& title, const QString& message) override
    {
        boxes.append({ Kind::Ask, title, message });
        return answers.isEmpty() ? true : answers.takeFirst();
    }
    qsizetype choose(const QString& title, const QString& message, const QStringList&) override
    {
        boxes.append({ Kind::Choose, title, message });
        return choices.isEmpty() ? 0 : choices.takeFirst();
    }
    bool warnWithSaveOption(const QString& title, const QString& message) override
    {
        boxes.append({ Kind::Warn, title, message, true });
        return saveChoices.isEmpty() ? false : saveChoices.takeFirst();
    }
};

// Points the user's settings, data and cache folders at a temporary folder of the
// test's own while it lives, so that no test sees another's stored values or
// the developer's. Construct it before the first window.
class TemporaryHome
{
public:
    TemporaryHome()
    {
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("data")).toLocal8Bit());
        qputenv("XDG_CACHE_HOME", m_dir.filePath(QStringLiteral("cache")).toLocal8Bit());
    }
    QString path() const { return m_dir.path(); }
    QString configHome() const { return m_dir.filePath(QStringLiteral("config")); }

private:
    QTemporaryDir m_dir;
};

// A text of these UTF-16 code units, broken surrogates included.
inline QString units(std::initializer_list<char16_t> codes)
{
    QString text;
    for (char16_t code : codes)
        text.append(QChar(code));
    return text;
}

// A file's bytes; empty when it cannot be read.
inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What the address check adds to the verdict on a plain http:// address.
inline const QString HttpNote = QStringLiteral("（http 地址，店铺页面为 https，建议改用 https）");

// A generator of the table by its button, and its template as stored.
inline const Generator& generatorOf(const char* button)
{
    const Generator* generator = generatorForButton(QString::fromUtf8(button));
    Q_ASSERT(generator);
    return *generator;
}
inline QString templateOf(const char* button)
{
    return loadTemplate(generatorOf(button).templateFile);
}
// The sample background address of the strip's template, its first marker.
inline QString stripPlaceholder()
{
    return generatorOf("LEN滚动").steps.first().marker;
}

// A control of the window by its name and of the expected kind; a test that
// asks for one the window lacks stops at once.
template<typename T, typename Window>
T* controlOf(Window& window, const QString& name)
{
    T* widget = qobject_cast<T*>(window.control(name));
    if (!widget)
        qFatal("no control %s of the expected kind", qPrintable(name));
    return widget;
}
