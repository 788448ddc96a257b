#include "TextStore.h"

TextStore::TextStore(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    QWidget::setVisible(false);
}

void TextStore::setVisible(bool)
{
    QWidget::setVisible(false);
}
