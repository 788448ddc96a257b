#pragma once

#include "Generator.h"

#include <array>

// Background and hover pictures for the navigation bar and its menus, as CSS.
namespace NavigationCss {

inline constexpr int ImageCount = 8;

const Generator& generator();
QString templateText();
// images[i] fills "图片地址<i+1>".
QString compose(const QString& templateText, const std::array<QString, ImageCount>& images);

} // namespace NavigationCss
