#pragma once

#include "Generator.h"

// A looping <bgsound> element for a shop page, from one music address.
namespace BackgroundMusic {

const Generator& generator();
QString templateText();
QString compose(const QString& templateText, const QString& address);

} // namespace BackgroundMusic
