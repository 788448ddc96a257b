#include "PreviewPage.h"

#include <QCryptographicHash>

namespace {

// Our one script. Once the page has loaded it does what the shop's lazy
// loader would (data-ks-lazyload into src), gathers every picture address
// it can read (img, background attributes, inline backgrounds and the rules
// of style elements, :hover ones included), tries each address once and
// marks what failed. The policy admits it by its hash and nothing else.
const char Script[] = R"js(window.addEventListener("load", function () {
    var elements = {}, order = [], broken = {};
    function add(address, element) {
        if (!address) return;
        if (!elements.hasOwnProperty(address)) { elements[address] = []; order.push(address); }
        if (element) elements[address].push(element);
    }
    function urls(css) {
        var found = [], pattern = /url\("((?:[^"\\]|\\.)*)"\)/g, match;
        while ((match = pattern.exec(css || ""))) found.push(match[1].replace(/\\(.)/g, "$1"));
        return found;
    }
    var all = document.body.getElementsByTagName("*"), i, j, k;
    for (i = 0; i < all.length; i++) {
        var element = all[i], lazy = element.getAttribute("data-ks-lazyload");
        if (element.tagName == "IMG" && lazy) element.setAttribute("src", lazy);
        if (element.tagName == "IMG") add(element.getAttribute("src"), element);
        add(element.getAttribute("background"), element);
        var inline = urls(element.style && element.style.backgroundImage);
        for (j = 0; j < inline.length; j++) add(inline[j], element);
    }
    for (i = 0; i < document.styleSheets.length; i++) {
        var rules = document.styleSheets[i].cssRules;
        for (j = 0; j < rules.length; j++) {
            var found = urls(rules[j].style && rules[j].style.backgroundImage), targets = [];
            try { if (found.length) targets = document.querySelectorAll(rules[j].selectorText.replace(/:hover/g, "")); } catch (e) {}
            for (k = 0; k < found.length; k++) {
                add(found[k]);
                for (var t = 0; t < targets.length; t++) add(found[k], targets[t]);
            }
        }
    }
    function report() {
        var count = document.getElementById("shiputong-count");
        var failed = order.filter(function (address) { return broken[address]; });
        if (!failed.length) {
            count.textContent = order.length ? "本页 " + order.length + " 张图片全部显示" : "本页没有图片";
            return;
        }
        count.textContent = failed.length + " 张图片无法显示";
        var list = document.createElement("ul");
        failed.forEach(function (address) {
            list.appendChild(document.createElement("li")).textContent = address;
        });
        count.parentNode.appendChild(list);
    }
    var left = order.length;
    if (!left) report();
    order.forEach(function (address) {
        var probe = new Image();
        probe.onload = probe.onerror = function (event) {
            if (event.type == "error") {
                broken[address] = true;
                elements[address].forEach(function (element) {
                    var marked = element.classList.contains("shiputong-broken");
                    element.title = marked ? element.title + "\n" + address : address;
                    element.classList.add("shiputong-broken");
                });
            }
            if (--left == 0) report();
        };
        probe.src = address;
    });
});)js";

// Our own look. The mock navigation bar's rules weigh nothing (:where), so
// that every rule of the snippet wins over them.
const char Style[] = R"css(body{margin:0}
#shiputong-bar{margin:0 0 16px;padding:6px 12px;background:#2f3338;color:#e8e8e8;font:13px/1.6 sans-serif;border-bottom:3px solid #f0a020}
#shiputong-bar strong{color:#fff;margin-right:1em}
#shiputong-bar p{margin:0}
#shiputong-bar ul{margin:2px 0 0;padding-left:20px;color:#ffb4b4;word-break:break-all}
.shiputong-column{width:950px;margin:0 auto}
.shiputong-wide{overflow:hidden}
.shiputong-full{width:1440px;margin-left:calc(50% - 720px)}
.shiputong-aside{width:950px;box-sizing:border-box;margin:16px auto;padding:8px 12px;border:1px dashed #999;background:#f7f7f7;color:#333;font:13px/1.6 sans-serif;word-break:break-all}
.shiputong-aside p{margin:0 0 6px}
.shiputong-poster{margin:16px 0}
.shiputong-poster img{display:block}
.shiputong-broken{outline:3px solid red!important;outline-offset:-3px}
:where(.shiputong-nav){font:12px/1.5 sans-serif;color:#333}
:where(.shiputong-nav) :where(ul){list-style:none;margin:0;padding:0}
:where(.shiputong-nav) :where(h4,h5){margin:0;font-size:12px;font-weight:normal}
:where(.shiputong-nav) :where(.skin-box-bd){overflow:hidden}
:where(.shiputong-nav) :where(.all-cats,.menu){float:left}
:where(.shiputong-nav) :where(.link){display:block;height:30px;line-height:30px;padding:0 18px;cursor:pointer}
:where(.shiputong-nav) :where(.popup-content){clear:both;display:flex;gap:16px;align-items:flex-start}
:where(.shiputong-nav) :where(.popup-inner,.menu-popup-cats){width:200px}
:where(.shiputong-nav) :where(.fst-cat,.sub-cat){padding:4px 12px;cursor:pointer}
:where(.shiputong-nav) :where(.snd-cat-hd){padding:2px 0 2px 12px}
:where(.shiputong-nav) :where(.cat-name){display:block})css";

// Every class the navigation CSS addresses: the all-categories link, five
// menu entries, and a pop-up of first and second level categories, the
// second first-level entry drawn as the shop draws it under the mouse.
const char NavigationMock[] = R"html(<div class="shiputong-nav"><div class="skin-box-bd">
<div class="all-cats"><a class="link"><span class="title">所有分类</span></a></div>
<ul class="menu-list">
<li class="menu"><a class="link"><span class="title">首页</span></a></li>
<li class="menu"><a class="link"><span class="title">新品上架</span></a></li>
<li class="menu"><a class="link"><span class="title">耳饰</span></a></li>
<li class="menu"><a class="link"><span class="title">项链</span></a></li>
<li class="menu"><a class="link"><span class="title">手链</span></a></li>
</ul>
<div class="popup-content">
<div class="popup-inner"><ul class="cats-tree">
<li class="fst-cat"><h4 class="cat-hd"><a class="fst-cat-name">耳饰</a></h4>
<div class="snd-pop-inner"><div class="fst-cat-bd"><h5 class="snd-cat-hd"><a class="snd-cat-name">耳钉</a></h5><h5 class="snd-cat-hd"><a class="snd-cat-name">耳环</a></h5></div></div></li>
<li class="fst-cat"><h4 class="cat-hd cat-hd-hover"><a class="fst-cat-name">项链</a></h4>
<div class="snd-pop-inner"><div class="fst-cat-bd"><h5 class="snd-cat-hd"><a class="snd-cat-name">锁骨链</a></h5><h5 class="snd-cat-hd"><a class="snd-cat-name">吊坠</a></h5></div></div></li>
<li class="fst-cat"><h4 class="cat-hd"><a class="fst-cat-name">手链</a></h4></li>
</ul></div>
<div class="menu-popup-cats"><div class="sub-cat"><a class="cat-name">新品耳饰</a></div><div class="sub-cat"><a class="cat-name">新品项链</a></div></div>
</div>
</div></div>
)html";

const char CarouselNote[]
    = "店铺里海报的切换靠店铺自己的脚本，这里不会轮播：上面只在原来的位置显示第一张海报，"
      "下面依次列出每一张海报和它的链接。";
const char NavigationNote[]
    = "上面的导航条是照着店铺的结构搭的示意，只用来看背景图和鼠标移上去的颜色。"
      "店铺里分类的下拉菜单要鼠标移上去才出现，这里一直展开；"
      "其中第二个一级分类显示的是鼠标移上去时的样子。";
const char MusicNote[]
    = "背景音乐代码用的是 bgsound 标签，只有 IE 内核的浏览器会播放，比如一些国产浏览器的兼容模式；"
      "用其他浏览器打开店铺听不到音乐。";
const char ListenLabel[] = "试听（这个播放器是预览页加的，不在生成的代码里）：";

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

// 'sha256-…' of the script exactly as the page carries it, worked out here
// so that the policy can never disagree with the script.
QByteArray scriptSource()
{
    static const QByteArray source = "'sha256-"
        + QCryptographicHash::hash(QByteArray(Script), QCryptographicHash::Sha256).toBase64() + "'";
    return source;
}

QByteArray head(const PreviewInput& input)
{
    QByteArray text = "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n";
    // Pictures and sound may come from anywhere the owner says; fonts,
    // scripts, style sheets, frames and forms from nowhere.
    text += "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
            "img-src * data: blob: file:; media-src * data: blob: file:; "
            "style-src 'unsafe-inline'; script-src ";
    text += scriptSource();
    text += "; base-uri 'none'; form-action 'none'\">\n";
    text += "<title>" + (QStringLiteral("预览：") + escaped(input.caption)).toUtf8() + "</title>\n";
    text += "<style>\n" + QByteArray(Style) + "\n</style>\n";
    text += "<script>" + QByteArray(Script) + "</script>\n</head>\n";
    return text;
}

QByteArray bar(const PreviewInput& input)
{
    const QString time = input.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return "<header id=\"" + QByteArray(PreviewBarId) + "\">\n<p><strong>"
        + escaped(input.caption).toUtf8() + "</strong>" + time.toUtf8() + "</p>\n<p>"
        + QByteArrayLiteral("这是预览：店铺自带的样式和脚本不在这里，效果可能与店铺略有不同")
        + "</p>\n<p id=\"shiputong-count\">正在检查图片……</p>\n</header>\n";
}

QByteArray aside(const QString& text)
{
    return "<div class=\"shiputong-aside\"><p>" + escaped(text).toUtf8() + "</p></div>\n";
}

// Appended piece by piece: an address may run to megabytes.
void appendPosters(QByteArray& page, const QList<PreviewPoster>& posters)
{
    page += "<div class=\"shiputong-wide\"><div class=\"shiputong-full\">\n";
    for (qsizetype i = 0; i < posters.size(); ++i) {
        const QByteArray picture = escaped(posters.at(i).picture).toUtf8();
        const QByteArray link = escaped(posters.at(i).link).toUtf8();
        const QByteArray number = QByteArray::number(i + 1);
        page += "<div class=\"shiputong-poster\"><div class=\"shiputong-aside\"><p>海报 " + number
            + "，链接：";
        page += link.isEmpty() ? QByteArrayLiteral("（没有填写）") : link;
        page += "</p></div>\n<a href=\"";
        page += link;
        page += "\" target=\"_blank\"><img src=\"";
        page += picture;
        page += "\" alt=\"海报 " + number + "\"></a></div>\n";
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
    page += navigation ? "\n</style>\n" + QByteArray(NavigationMock) : QByteArray("\n");
    page += fullWidth ? "</div></div>\n" : "</div>\n";
    switch (input.layout) {
    case PreviewLayout::Column:
        break;
    case PreviewLayout::FullWidth:
        page += aside(QString::fromUtf8(CarouselNote));
        appendPosters(page, input.posters);
        break;
    case PreviewLayout::NavigationCss:
        page += aside(QString::fromUtf8(NavigationNote));
        break;
    case PreviewLayout::Music:
        page += "<div class=\"shiputong-aside\"><p>"
            + escaped(QString::fromUtf8(MusicNote)).toUtf8() + "</p><p>"
            + escaped(QString::fromUtf8(ListenLabel)).toUtf8() + "</p><audio controls src=\"";
        page += escaped(input.audio).toUtf8();
        page += "\"></audio></div>\n";
        break;
    }
    page += "</body>\n</html>\n";
    return page;
}
