#pragma once

#include <QString>
#include <QWidget>

// A hidden field that keeps a template or a generator's work buffer. It holds
// its text as an exact string: text widgets built on QTextDocument rewrite CR LF,
// and QLineEdit cuts long text, so neither may keep a snippet.
class TextStore final : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)

public:
    explicit TextStore(QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }

    // Never shown, whatever its container does.
    void setVisible(bool visible) override;

private:
    QString m_text;
};
