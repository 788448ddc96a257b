#pragma once

#include "Generator.h"

// A 950×80 strip with a background picture and one scrolling line of text.
namespace AnnouncementStrip {

struct Inputs
{
    QString background;
    QString announcement;
    QString colour;
    QString fontSize; // pixels, without unit
    QString speed;    // the marquee's scroll amount
};

// The sample background address that the template carries and the first
// step replaces.
QString placeholderAddress();

const Generator& generator();
QString templateText();
QString compose(const QString& templateText, const Inputs& inputs);

} // namespace AnnouncementStrip
