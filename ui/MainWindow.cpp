#include "MainWindow.h"

#include "AddressMark.h"
#include "ControlInventory.h"
#include "FieldSettings.h"
#include "DeliverCode.h"
#include "Generator.h"
#include "LinkLabel.h"
#include "Notifier.h"
#include "TextStore.h"
#include "WindowPicture.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>

#include <limits>

namespace {

QRect pixelRect(const ControlSpec& spec)
{
    return QRect(twipsToPixels(spec.left), twipsToPixels(spec.top), twipsToPixels(spec.width),
                 twipsToPixels(spec.height));
}

QColor flagColour(const ControlSpec& spec)
{
    if (spec.has(Red))
        return QColor(255, 0, 0);
    if (spec.has(Blue))
        return QColor(0, 0, 255);
    if (spec.has(WhiteOverPicture))
        return QColor(255, 255, 255);
    return QColor();
}

// The About text shows as a block of text: CR LF become paragraph breaks and
// every line gets the fixed height the layout was drawn for.
void fillAboutText(QPlainTextEdit* edit, const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (lines.endsWith(QLatin1Char('\n')))
        lines.chop(1);
    edit->setPlainText(lines);
    const int lineHeight = edit->fontMetrics().height();
    QTextCursor cursor(edit->document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setLineHeight(lineHeight, QTextBlockFormat::FixedHeight);
    cursor.mergeBlockFormat(format);
}

} // namespace

MainWindow::MainWindow(const WindowServices& services, QWidget* parent)
    : QWidget(parent)
    , m_services(services)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(windowCaption());
    setWindowIcon(QIcon(QStringLiteral(":/icons/shiputong.ico")));
    // The layout is fixed; the window does not follow a change of size.
    setFixedSize(twipsToPixels(WindowClientWidth), twipsToPixels(WindowClientHeight));

    // What the last run kept goes into each field as its panel is built, so
    // kept values do not make start-up build the panels hidden at start.
    if (m_services.fieldSettings)
        m_keptValues = m_services.fieldSettings->load();
    m_options = new QButtonGroup(this);
    connect(m_options, &QButtonGroup::idClicked, this, &MainWindow::showPanel);
    buildControlsIn(QString());
    buildControlsIn(QStringLiteral("Frame1"));
    arrangeAtStart();
    offerPanelMenus();
    // Left alone, Qt would give the keyboard to the first Tab stop, an option
    // that is not the checked one, and the first Space would switch panels.
    // Set now, before the window shows, this only names the widget that
    // activation hands the keyboard to: a field the owner clicks before the
    // window becomes active keeps it.
    if (QAbstractButton* checked = m_options->checkedButton())
        checked->setFocus();
}

QWidget* MainWindow::control(const QString& name)
{
    if (QWidget* widget = m_controls.value(name))
        return widget;
    const ControlSpec* spec = findControl(name);
    if (!spec)
        return nullptr;
    const int panel = panelIndexOf(spec->container);
    if (panel >= 0)
        buildPanel(panel);
    return m_controls.value(name);
}

int MainWindow::panelIndexOf(const QString& container)
{
    for (int i = 0; i < PanelCount; ++i) {
        if (container == panelName(i))
            return i;
    }
    return -1;
}

void MainWindow::buildPanel(int index)
{
    if (m_builtPanels.contains(index))
        return;
    m_builtPanels.insert(index);
    buildControlsIn(panelName(index));
}

void MainWindow::buildControlsIn(const QString& container)
{
    QWidget* parent = container.isEmpty() ? this : m_controls.value(container);
    Q_ASSERT_X(parent, "MainWindow", "a container must come before its controls");
    for (const ControlSpec& spec : controlInventory()) {
        if (spec.container != container)
            continue;
        QWidget* widget = createControl(spec, parent);
        widget->setObjectName(spec.name);
        widget->setGeometry(pixelRect(spec));
        m_controls.insert(spec.name, widget);
        if (auto* label = qobject_cast<QLabel*>(widget); label && spec.has(AutoSize))
            label->adjustSize();
        // Nobody sees a control beyond its panel's edge: Tab must not land there
        // and let typing replace its value unseen.
        if (spec.has(Outside))
            widget->setFocusPolicy(Qt::NoFocus);
        if (spec.kind == ControlKind::TextField || spec.kind == ControlKind::Button)
            widget->setAccessibleName(accessibleCaption(spec.name));
        connectHandler(spec, widget);
    }
    for (const ControlSpec& spec : controlInventory()) {
        if (spec.container != container || spec.kind != ControlKind::TextField)
            continue;
        if (auto* label = qobject_cast<QLabel*>(m_controls.value(spec.label)); label && !label->buddy())
            label->setBuddy(m_controls.value(spec.name));
    }
    applyFocusOrder();
}

QWidget* MainWindow::createControl(const ControlSpec& spec, QWidget* container)
{
    const QColor colour = flagColour(spec);
    switch (spec.kind) {
    case ControlKind::Frame: {
        auto* frame = new QGroupBox(container);
        frame->setFlat(false);
        return frame;
    }
    case ControlKind::Option: {
        auto* option = new QRadioButton(spec.text, container);
        const int index = spec.name.section(QLatin1Char('_'), 1).toInt();
        m_options->addButton(option, index);
        option->setChecked(spec.has(Checked));
        if (spec.has(Hidden))
            option->hide();
        return option;
    }
    case ControlKind::Label:
    case ControlKind::LinkLabel: {
        QLabel* label = spec.kind == ControlKind::LinkLabel ? new LinkLabel(container)
                                                            : new QLabel(container);
        label->setText(spec.text);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment((spec.has(AlignRight) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        if (colour.isValid()) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, colour);
            label->setPalette(palette);
        }
        if (spec.has(WhiteOverPicture))
            label->setAttribute(Qt::WA_TranslucentBackground);
        if (spec.has(AutoSize))
            label->setWordWrap(false);
        return label;
    }
    case ControlKind::TextField: {
        auto* field = new QLineEdit(container);
        // Values of any length are used exactly as typed or pasted.
        field->setMaxLength(std::numeric_limits<int>::max());
        const auto kept = m_keptValues.constFind(spec.name);
        field->setText(kept != m_keptValues.cend() ? *kept : spec.text);
        field->setCursorPosition(0);
        if (spec.address != AddressKind::None)
            markAddressProblems(field);
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
        const QSize stretchedTo = spec.has(Stretched) ? pixelRect(spec).size() : QSize();
        auto* picture = new WindowPicture(spec.text, stretchedTo, container);
        picture->setScaledContents(spec.has(Stretched));
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return picture;
    }
    case ControlKind::AboutText: {
        auto* about = new QPlainTextEdit(container);
        about->setReadOnly(true);
        about->setFrameShape(QFrame::NoFrame);
        about->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        about->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // Reads as a block of text on the panel: the panel's own colour shows
        // through, whatever shade the style gives the inside of a frame.
        QPalette palette = about->palette();
        palette.setColor(QPalette::Base, Qt::transparent);
        about->setPalette(palette);
        fillAboutText(about, spec.text);
        return about;
    }
    }
    Q_UNREACHABLE();
}

void MainWindow::connectHandler(const ControlSpec& spec, QWidget* widget)
{
    if (spec.kind == ControlKind::LinkLabel) {
        connect(static_cast<LinkLabel*>(widget), &LinkLabel::clicked, this, &MainWindow::visitDeveloperPage);
        return;
    }
    if (spec.kind != ControlKind::Button)
        return;
    auto* button = static_cast<QPushButton*>(widget);
    if (const Generator* generator = generatorForButton(spec.name))
        connect(button, &QPushButton::clicked, this, [this, generator] { runGenerator(*generator); });
    else if (spec.name == QStringLiteral("旺旺清除"))
        connect(button, &QPushButton::clicked, this, &MainWindow::clearContacts);
}

void MainWindow::applyFocusOrder()
{
    // Over the controls built so far; a panel built later joins in its place.
    QWidget* previous = nullptr;
    for (const QString& name : focusOrder()) {
        QWidget* widget = m_controls.value(name);
        if (!widget)
            continue;
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
}

void MainWindow::arrangeAtStart()
{
    for (int i = 0; i < PanelCount; ++i) {
        QWidget* panel = control(panelName(i));
        panel->hide();
        panel->move(twipsToPixels(PanelLeft), twipsToPixels(PanelTop));
    }
    buildPanel(0);
    control(panelName(0))->show();
    centreOnScreen();
}

void MainWindow::centreOnScreen()
{
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Centre the outer rectangle, title bar and borders included.
    const QRect area = screen->geometry();
    const QRect outer = frameGeometry();
    const double top = area.height() / 2.0 - outer.height() / 2.0;
    const double left = area.width() / 2.0 - outer.width() / 2.0;
    move(area.x() + qRound(left), area.y() + qRound(top));
}

bool MainWindow::isCentredOnScreen() const
{
    const QScreen* screen = this->screen();
    if (!screen)
        return true;
    const QRect area = screen->geometry();
    const QRect outer = frameGeometry();
    const auto offCentre = [](int start, int length, int areaStart, int areaLength) {
        return qAbs(2 * (start - areaStart) + length - areaLength);
    };
    // Within a pixel: odd sizes cannot be centred more exactly.
    return offCentre(outer.x(), outer.width(), area.x(), area.width()) <= 2
        && offCentre(outer.y(), outer.height(), area.y(), area.height()) <= 2;
}

bool MainWindow::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    // The frame's size is known only once a window manager has framed the
    // window, and the placement asked for before that was computed without
    // it: centre again by the real outer rectangle until the window first
    // becomes active. After that, where the window stands is the user's.
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowActivate:
        if (!m_placementSettled && isVisible() && frameGeometry().size() != size()
            && !isCentredOnScreen())
            centreOnScreen();
        break;
    default:
        break;
    }
    if (event->type() == QEvent::WindowActivate)
        m_placementSettled = true;
    return handled;
}

void MainWindow::showPanel(int index)
{
    for (int i = 0; i < PanelCount; ++i)
        control(panelName(i))->hide();
    if (QWidget* panel = control(panelName(index))) {
        buildPanel(index);
        panel->show();
    }
}

QString MainWindow::fieldText(const QString& name)
{
    QWidget* widget = control(name);
    if (auto* field = qobject_cast<QLineEdit*>(widget))
        return field->text();
    if (auto* store = qobject_cast<TextStore*>(widget))
        return store->text();
    return QString();
}

void MainWindow::setFieldText(const QString& name, const QString& text)
{
    QWidget* widget = control(name);
    if (auto* field = qobject_cast<QLineEdit*>(widget)) {
        field->setText(text);
        // Long addresses show from their start, as at a first start.
        field->setCursorPosition(0);
    } else if (auto* store = qobject_cast<TextStore*>(widget))
        store->setText(text);
}

void MainWindow::runGenerator(const Generator& generator)
{
    Notifier& notifier = *m_services.notifier;
    // A click never brings the program down, and never reports a success
    // it did not achieve: any failure ends in the warning box.
    try {
        QStringList values;
        values.reserve(generator.steps.size());
        for (const FieldStep& step : generator.steps)
            values.append(fieldText(step.field));
        const QString snippet = composeSnippet(fieldText(generator.templateHolder), generator.steps, values);
        if (!generator.workBuffer.isEmpty())
            setFieldText(generator.workBuffer, snippet);
        const DeliveryOutcome outcome = DeliverCode(*m_services.clipboard, notifier, snippet,
                                                    generator.attemptLimit, generator.clearing,
                                                    generator.confirmation);
        if (outcome.saveRequested)
            saveSnippetToFile(generator, snippet);
    } catch (...) {
        notifier.warn(deliveryFailedTitle(), deliveryFailedMessage());
    }
    saveFieldValues();
}

void MainWindow::clearContacts()
{
    if (!m_services.notifier->ask(QStringLiteral("提示"),
                                  QStringLiteral("清空后将无法恢复，是否要清空现在的内容？")))
        return;
    for (int row = 1; row <= ContactRowCount; ++row) {
        for (const QString& field : contactRowFields(row))
            setFieldText(field, QString());
    }
}

void MainWindow::visitDeveloperPage()
{
    const QString address = updatePageAddress();
    if (m_services.openUrl && m_services.openUrl(QUrl(address)))
        return;
    m_services.notifier->warn(QStringLiteral("无法打开网页"),
                              QStringLiteral("未能打开浏览器，请手动访问：") + address);
}
