#pragma once

#include "Generator.h"

#include <array>

// The customer-service strip: three banners and nine contacts, each with an
// avatar, a live chat-status link and a nickname.
namespace ContactBlock {

inline constexpr int BannerCount = 3;
inline constexpr int ContactCount = 9;

struct Contact
{
    QString nickname;
    QString chatId; // as typed; encoded only when it goes into the links
    QString avatar;
};

struct Inputs
{
    std::array<QString, BannerCount> banners;
    std::array<Contact, ContactCount> contacts;
};

const Generator& generator();
QString templateText();
QString compose(const QString& templateText, const Inputs& inputs);

} // namespace ContactBlock
