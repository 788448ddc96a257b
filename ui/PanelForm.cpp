#include "PanelForm.h"

#include "ControlInventory.h"
#include "FieldEdit.h"
#include "Generator.h"
#include "LinkLabel.h"
#include "PanelTable.h"
#include "TextStore.h"
#include "WindowPicture.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextCursor>

namespace {

QColor flagColour(const ControlSpec& spec)
{
    if (spec.has(ControlFlag::Red))
        return QColor(255, 0, 0);
    if (spec.has(ControlFlag::Blue))
        return QColor(0, 0, 255);
    if (spec.has(ControlFlag::WhiteOverPicture))
        return QColor(255, 255, 255);
    return QColor();
}

QLabel* createLabel(const ControlSpec& spec, QWidget* container)
{
    QLabel* label = spec.kind == ControlKind::LinkLabel ? new LinkLabel(container) : new QLabel(container);
    label->setText(spec.text);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment((spec.has(ControlFlag::AlignRight) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    if (const QColor colour = flagColour(spec); colour.isValid()) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    }
    if (spec.has(ControlFlag::WhiteOverPicture))
        label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

QPlainTextEdit* createAboutText(const ControlSpec& spec, QWidget* container)
{
    auto* about = new QPlainTextEdit(container);
    about->setReadOnly(true);
    about->setFrameShape(QFrame::NoFrame);
    about->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    about->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Text on the panel's own colour, whatever shade the style gives frames.
    QPalette palette = about->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    about->setPalette(palette);
    // CR LF become paragraph breaks; each line gets the height the layout was drawn for.
    QString lines = spec.text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (lines.endsWith(QLatin1Char('\n')))
        lines.chop(1);
    about->setPlainText(lines);
    QTextCursor cursor(about->document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setLineHeight(about->fontMetrics().height(), QTextBlockFormat::FixedHeight);
    cursor.mergeBlockFormat(format);
    return about;
}

} // namespace

PanelForm::PanelForm(QWidget* window, const QHash<QString, QString>& keptValues)
    : QObject(window)
    , m_window(window)
    , m_options(new QButtonGroup(this))
    , m_keptValues(keptValues)
{
}

void PanelForm::buildWindowControls()
{
    buildControlsIn(QString());
    buildControlsIn(QStringLiteral("Frame1"));
}

QWidget* PanelForm::control(const QString& name)
{
    if (QWidget* widget = m_controls.value(name))
        return widget;
    if (const PanelSpec* panel = panelOfControl(name))
        buildPanel(panel->index);
    return m_controls.value(name);
}

void PanelForm::buildPanel(int index)
{
    if (m_builtPanels.contains(index))
        return;
    m_builtPanels.insert(index);
    buildControlsIn(panelName(index));
}

void PanelForm::buildControlsIn(const QString& container)
{
    QWidget* parent = container.isEmpty() ? m_window : m_controls.value(container);
    Q_ASSERT_X(parent, "PanelForm", "a container must come before its controls");
    for (const ControlSpec& spec : controlInventory()) {
        if (spec.container != container)
            continue;
        QWidget* widget = createControl(spec, parent);
        widget->setObjectName(spec.name);
        widget->setGeometry(pixelRect(spec));
        m_controls.insert(spec.name, widget);
        if (auto* label = qobject_cast<QLabel*>(widget); label && spec.has(ControlFlag::AutoSize))
            label->adjustSize();
        // Tab must not land beyond the panel's edge, where typing goes unseen.
        if (spec.has(ControlFlag::Outside))
            widget->setFocusPolicy(Qt::NoFocus);
        if (spec.kind == ControlKind::TextField || spec.kind == ControlKind::Button)
            widget->setAccessibleName(accessibleCaption(spec.name));
        emit controlBuilt(spec, widget);
    }
    for (const ControlSpec& spec : controlInventory()) {
        if (spec.container != container || spec.kind != ControlKind::TextField)
            continue;
        if (auto* label = qobject_cast<QLabel*>(m_controls.value(spec.label));
            label && !label->buddy())
            label->setBuddy(m_controls.value(spec.name));
    }
    applyFocusOrder();
}

QWidget* PanelForm::createControl(const ControlSpec& spec, QWidget* container)
{
    switch (spec.kind) {
    case ControlKind::Frame:
        return new QGroupBox(container);
    case ControlKind::Option: {
        auto* option = new QRadioButton(spec.text, container);
        m_options->addButton(option, panelOfOption(spec.name)->index);
        option->setChecked(spec.has(ControlFlag::Checked));
        if (spec.has(ControlFlag::Hidden))
            option->hide();
        return option;
    }
    case ControlKind::Label:
    case ControlKind::LinkLabel:
        return createLabel(spec, container);
    case ControlKind::TextField: {
        QLineEdit* field = new FieldEdit(spec.check, m_keptValues.value(spec.name, spec.text), container);
        connect(field, &QLineEdit::textChanged, this, [this, name = spec.name] { emit fieldChanged(name); });
        return field;
    }
    case ControlKind::HiddenText: {
        auto* store = new TextStore(container);
        store->setText(initialText(spec.name));
        return store;
    }
    case ControlKind::Button:
        return new QPushButton(spec.text, container);
    case ControlKind::Picture: {
        const QSize stretchedTo = spec.has(ControlFlag::Stretched) ? pixelRect(spec).size() : QSize();
        auto* picture = new WindowPicture(spec.text, stretchedTo, container);
        picture->setScaledContents(spec.has(ControlFlag::Stretched));
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return picture;
    }
    case ControlKind::AboutText:
        return createAboutText(spec, container);
    }
    Q_UNREACHABLE();
}

void PanelForm::applyFocusOrder()
{
    // A panel built later joins in its place.
    QWidget* previous = nullptr;
    for (const QString& name : focusOrder()) {
        QWidget* widget = m_controls.value(name);
        if (!widget)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

QString PanelForm::fieldText(const QString& name)
{
    QWidget* widget = control(name);
    if (auto* field = qobject_cast<QLineEdit*>(widget))
        return field->text();
    if (auto* store = qobject_cast<TextStore*>(widget))
        return store->text();
    return QString();
}

void PanelForm::setFieldText(const QString& name, const QString& text)
{
    QWidget* widget = control(name);
    if (auto* field = qobject_cast<QLineEdit*>(widget)) {
        field->setText(text);
        // Long addresses show from their start.
        field->setCursorPosition(0);
    } else if (auto* store = qobject_cast<TextStore*>(widget)) {
        store->setText(text);
    }
}

QHash<QString, QString> PanelForm::builtFieldValues() const
{
    QHash<QString, QString> values;
    for (auto it = m_controls.cbegin(); it != m_controls.cend(); ++it) {
        if (auto* field = qobject_cast<QLineEdit*>(it.value()))
            values.insert(it.key(), field->text());
    }
    return values;
}

void PanelForm::restoreDefaults(int index)
{
    const QString frame = panelName(index);
    for (const ControlSpec& spec : controlInventory()) {
        if (spec.container == frame && spec.kind == ControlKind::TextField)
            setFieldText(spec.name, spec.text);
    }
}

void PanelForm::replaceValues(const QHash<QString, QString>& values)
{
    // Panels not built yet take theirs when built; built fields change now
    // and tell fieldChanged, as typing does.
    m_keptValues = values;
    for (const ControlSpec& spec : controlInventory()) {
        if (spec.kind == ControlKind::TextField && m_controls.contains(spec.name))
            setFieldText(spec.name, values.value(spec.name, spec.text));
    }
}
