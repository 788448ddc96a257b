#include "TextStore.h"

TextStore::TextStore(QWidget* parent)
    : QWidget(parent)
{
    QWidget::setVisible(false);
}

void TextStore::setVisible(bool)
{
    QWidget::setVisible(false);
}
