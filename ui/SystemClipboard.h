#pragma once

#include "Clipboard.h"

// The application's QClipboard, plain-text format.
class SystemClipboard final : public Clipboard
{
public:
    void clear() override;
    void setText(const QString& text) override;
    std::optional<QString> text() override;
    // A busy pointer over the program's windows while a delivery runs.
    void deliveryStarted() override;
    void deliveryEnded() override;
};
