#include "PreviewPage.h"

#include <QCryptographicHash>
#include <QFile>

namespace {

// The page's own parts, byte for byte from core/preview. preview.js does
// what the shop's lazy loader would (data-ks-lazyload into src), then tries
// every picture address it can read, :hover rules included, and marks what
// failed. preview.css gives the mock navigation bar rules that weigh nothing
// (:where), so that every rule of the snippet wins over them.
// navigation-mock.html has every class the navigation CSS addresses, its
// second first-level category drawn as the shop draws it under the mouse.
QByteArray part(const char* name)
{
    QFile file(QStringLiteral(":/preview/") + QString::fromUtf8(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("%s is missing from the resources", name);
    return file.readAll();
}

QByteArray html(const QString& text)
{
    return text.toHtmlEscaped().toUtf8();
}

QByteArray head(const PreviewInput& input)
{
    static const QByteArray script = part("preview.js");
    // Worked out from the script itself, so that the policy can never
    // disagree with it.
    static const QByteArray scriptHash
        = QCryptographicHash::hash(script, QCryptographicHash::Sha256).toBase64();
    QByteArray text = "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n";
    // Pictures and sound may come from anywhere the owner says; fonts,
    // scripts, style sheets, frames and forms from nowhere. The one
    // connection is the page's own, back to the program, to hear of changes.
    text += "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
            "img-src * data: blob: file:; media-src * data: blob: file:; "
            "style-src 'unsafe-inline'; connect-src 'self'; script-src 'sha256-"
        + scriptHash + "'; base-uri 'none'; form-action 'none'\">\n";
    text += "<title>预览：" + html(input.caption) + "</title>\n";
    text += "<style>\n" + part("preview.css") + "\n</style>\n";
    text += "<script>" + script + "</script>\n</head>\n";
    return text;
}

QByteArray bar(const PreviewInput& input)
{
    const QString time = input.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return "<header id=\"" + QByteArray(PreviewBarId) + "\">\n<p><strong>" + html(input.caption)
        + "</strong>" + time.toUtf8()
        + "</p>\n<p>这是预览：店铺自带的样式和脚本不在这里，效果可能与店铺略有不同</p>\n"
        + (input.fixedText.isEmpty() ? QByteArray() : "<p>" + html(input.fixedText) + "</p>\n")
        + "<p id=\"shiputong-count\">正在检查图片……</p>\n<p id=\"shiputong-live\"></p>\n</header>\n";
}

// A note of ours beside the snippet, already HTML; `more` follows its paragraph.
QByteArray aside(const QByteArray& note, const QByteArray& more = QByteArray())
{
    return "<div class=\"shiputong-aside\"><p>" + note + "</p>" + more + "</div>\n";
}

void appendPosters(QByteArray& page, const QList<PreviewPoster>& posters)
{
    page += "<div class=\"shiputong-wide\"><div class=\"shiputong-full\">\n";
    for (qsizetype i = 0; i < posters.size(); ++i) {
        const QByteArray link = html(posters.at(i).link);
        const QByteArray number = QByteArray::number(i + 1);
        page += "<div class=\"shiputong-poster\">"
            + aside("海报 " + number + "，链接：" + (link.isEmpty() ? QByteArray("（没有填写）") : link));
        page += "<a href=\"" + link + "\" target=\"_blank\"><img src=\"" + html(posters.at(i).picture)
            + "\" alt=\"海报 " + number + "\"></a></div>\n";
    }
    page += "</div></div>\n";
}

} // namespace

QByteArray previewPage(const PreviewInput& input)
{
    const QByteArray snippet = input.snippet.toUtf8();
    const bool navigation = input.layout == PreviewLayout::NavigationCss;
    const bool fullWidth = input.layout == PreviewLayout::FullWidth;
    QByteArray page;
    page.reserve(snippet.size() + 16 * 1024);
    page += head(input);
    page += "<body>\n";
    page += bar(input);
    page += fullWidth ? "<div class=\"shiputong-wide\">" : "";
    page += "<div id=\"" + QByteArray(PreviewFrameId) + "\" class=\""
        + (fullWidth ? "shiputong-full" : "shiputong-column") + "\">\n";
    page += navigation ? "<style>\n" : "";
    // The snippet itself, byte for byte as the shop gets it.
    page += snippet;
    page += navigation ? "\n</style>\n" + part("navigation-mock.html") : QByteArray("\n");
    page += fullWidth ? "</div></div>\n" : "</div>\n";
    switch (input.layout) {
    case PreviewLayout::Column:
        break;
    case PreviewLayout::FullWidth:
        page += aside("店铺里海报的切换靠店铺自己的脚本，这里不会轮播：上面只在原来的位置显示第一张海报，"
                      "下面依次列出每一张海报和它的链接。");
        appendPosters(page, input.posters);
        break;
    case PreviewLayout::NavigationCss:
        page += aside("上面的导航条是照着店铺的结构搭的示意，只用来看背景图和鼠标移上去的颜色。"
                      "店铺里分类的下拉菜单要鼠标移上去才出现，这里一直展开；"
                      "其中第二个一级分类显示的是鼠标移上去时的样子。");
        break;
    case PreviewLayout::Music:
        page += aside("背景音乐代码用的是 bgsound 标签，只有 IE 内核的浏览器会播放，比如一些国产浏览器的兼容模式；"
                      "用其他浏览器打开店铺听不到音乐。",
            "<p>试听（这个播放器是预览页加的，不在生成的代码里）：</p><audio controls src=\""
                + html(input.audio) + "\"></audio>");
        break;
    }
    page += "</body>\n</html>\n";
    return page;
}
