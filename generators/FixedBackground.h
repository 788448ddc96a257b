#pragma once

#include "Generator.h"

// One CSS rule that pins a picture, centred and untiled, behind the page.
namespace FixedBackground {

const Generator& generator();
QString templateText();
QString compose(const QString& templateText, const QString& address);

} // namespace FixedBackground
