#pragma once

#include "Generator.h"

// Two full-width 1440×500 posters sliding in turn, each a link.
namespace PosterCarousel {

struct Inputs
{
    QString posterA;
    QString linkA;
    QString posterB;
    QString linkB;
};

const Generator& generator();
QString templateText();
QString compose(const QString& templateText, const Inputs& inputs);

} // namespace PosterCarousel
