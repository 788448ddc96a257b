#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// How the snippet sits on the preview page, after the shop page it is made for.
enum class PreviewLayout
{
    Column, // a module of the 950-pixel centred column
    FullWidth, // the full-screen carousel: 1440-pixel posters, centred
    NavigationCss, // style rules, shown on a mock navigation bar
    Music, // bgsound, with a player to hear the address
};

struct PreviewPoster
{
    QString picture;
    QString link;
};

struct PreviewInput
{
    PreviewLayout layout = PreviewLayout::Column;
    QString caption; // the generator's caption, e.g. "客服在线"
    QString snippet; // exactly the text the clipboard gets
    QDateTime time; // when the snippet was composed
    QList<PreviewPoster> posters; // FullWidth: every poster, in order
    QString audio; // Music: the address to play
    QString fixedText; // what the owner must still change after pasting; empty: nothing
};

// Names the page gives its own parts.
inline constexpr char PreviewBarId[] = "shiputong-bar";
inline constexpr char PreviewFrameId[] = "shiputong-frame"; // holds the snippet
inline constexpr char PreviewBrokenClass[] = "shiputong-broken";

// A self-contained UTF-8 HTML page showing the snippet as the shop would,
// under a bar that says what it is and, once loaded, which pictures failed.
// Pure: the same input gives the same bytes.
QByteArray previewPage(const PreviewInput& input);
