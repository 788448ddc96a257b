#pragma once

#include <QString>
#include <QWidget>

// A hidden template holder or work buffer, exact: QTextDocument rewrites CR LF
// and QLineEdit cuts long text.
class TextStore final : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)

public:
    explicit TextStore(QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }

    void setVisible(bool visible) override;

private:
    QString m_text;
};
