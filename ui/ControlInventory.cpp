#include "ControlInventory.h"

#include "Generator.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace {

// Sample values shown in the fields at start. Equal roles share one address
// on purpose: the same avatar for several contacts, one navigation image for
// four places, one shop address for both posters.
const QString BannerPreSales = QStringLiteral("https://img.alicdn.com/imgextra/i2/583712046/O1CN01zPde0IgxLd6GncfBA_!!583712046.jpg");
const QString BannerAfterSales = QStringLiteral("https://img.alicdn.com/imgextra/i2/583712046/O1CN01fJBd0Kh8oOOL8dKL_!!583712046.jpg");
const QString BannerComplaints = QStringLiteral("https://img.alicdn.com/imgextra/i1/583712046/O1CN01ocJ2isAjIhKtJ0Rlg_!!583712046.jpg");
const QString AvatarA = QStringLiteral("https://img.alicdn.com/imgextra/i2/583712046/O1CN01xgJTeKdNnFRIBXuDL7_!!583712046.jpg");
const QString AvatarB = QStringLiteral("https://img.alicdn.com/imgextra/i3/583712046/O1CN01tpYlSXpfKtHF4vUCs_!!583712046.jpg");
const QString AvatarC = QStringLiteral("https://img.alicdn.com/imgextra/i1/583712046/O1CN01hGAkWvj7FAc9QeWJKY_!!583712046.jpg");
const QString AvatarD = QStringLiteral("https://img.alicdn.com/imgextra/i3/583712046/O1CN01SwMFLZDe1f8rESQed_!!583712046.jpg");
const QString AvatarE = QStringLiteral("https://img.alicdn.com/imgextra/i3/583712046/O1CN01PKR0CsTy4Qwb8DwkNh_!!583712046.jpg");
const QString StripBackground = QStringLiteral("https://img.alicdn.com/imgextra/i1/583712046/O1CN01nXsiVpzz63FfkCzJr_!!583712046.gif");
const QString NavigationBar = QStringLiteral("https://img.alicdn.com/imgextra/i4/583712046/O1CN013JrTAwR4y9ojfljo_!!583712046.gif");
const QString NavigationX = QStringLiteral("https://img.alicdn.com/imgextra/i2/583712046/O1CN01aF1LlqsajAIxNKu8iS_!!583712046.jpg");
const QString NavigationY = QStringLiteral("https://img.alicdn.com/imgextra/i1/583712046/O1CN01D53X83RZJzzzzgEOzd_!!583712046.jpg");
const QString PosterA = QStringLiteral("https://img.alicdn.com/imgextra/i1/583712046/O1CN01nCkhvMdgaKjIg8xN_!!583712046.gif");
const QString PosterB = QStringLiteral("https://img.alicdn.com/imgextra/i1/583712046/O1CN013nNyjOq9wMxEhh2F_!!583712046.gif");
const QString PageBackground = QStringLiteral("https://img.alicdn.com/imgextra/i4/583712046/O1CN01EtfjgVvVqE1SkHbn8_!!583712046.jpg");
const QString ShopAddress = QStringLiteral("https://hemuchuanshe.taobao.com/");
const QString MusicAddress = QStringLiteral("http://music.hemuchuanshe.com/bgm/chunfeng.mp3");

const QString Generate = QStringLiteral("生成代码");
const QString Visit = QStringLiteral("访问禾木川舍");
const QString InstallHint = QStringLiteral("代码安装（依次打开）：移到 →导航条“编辑”→“显示设置”→空白处右键粘贴，确定保存（完成）   ");

QList<ControlSpec> buildInventory()
{
    using K = ControlKind;
    const QString form;
    const QString bar = QStringLiteral("Frame1");
    const QString p0 = panelName(0), p1 = panelName(1), p2 = panelName(2), p3 = panelName(3),
                  p4 = panelName(4), p5 = panelName(5), p6 = panelName(6);
    auto el = [](const char* array, int index) {
        return arrayElementName(QString::fromLatin1(array), index);
    };

    QList<ControlSpec> c;

    // Option bar.
    c.append({ K::Frame, form, bar, 120, 120, 12255, 615, {} });
    c.append({ K::Option, bar, optionName(0), 120, 240, 1335, 255, QStringLiteral("客服在线"), Checked, 5 });
    c.append({ K::Option, bar, optionName(1), 1440, 240, 1335, 255, QStringLiteral("仿LEN滚动条"), NoFlags, 4 });
    c.append({ K::Option, bar, optionName(2), 2880, 240, 1935, 255, QStringLiteral("CSS导航背景变色"), NoFlags, 3 });
    c.append({ K::Option, bar, optionName(3), 4800, 240, 1695, 255, QStringLiteral("全屏海报轮播"), NoFlags, 2 });
    c.append({ K::Option, bar, optionName(4), 6600, 240, 1575, 255, QStringLiteral("店铺背景音乐"), NoFlags, 1 });
    c.append({ K::Option, bar, optionName(5), 12480, 240, 1695, 255, QStringLiteral("店铺悬浮背景"), Hidden | Outside });
    c.append({ K::Option, bar, optionName(6), 8280, 240, 1335, 255, QStringLiteral("关于软件"), NoFlags, 57 });
    c.append({ K::LinkLabel, bar, el("Label10", 0), 10320, 240, 1575, 255, Visit, Red });

    // Panels, at their design positions; the start moves them all to one place.
    for (int i = 0; i < PanelCount; ++i)
        c.append({ K::Frame, form, panelName(i), 120 + 240 * i, 7560 + 120 * i, i == 2 ? 12135 : 12255, 6375, {} });

    // Panel 0: customer-service contact block.
    c.append({ K::Picture, p0, el("Image1", 0), 120, 120, 10455, 1185, QStringLiteral(":/pictures/Image1_0.jpg"), Stretched });
    const QString nicknames[9] = {
        QStringLiteral("阿杰"), QStringLiteral("晓琳"), QStringLiteral("若曦"),
        QStringLiteral("子墨"), QStringLiteral("思涵"), QStringLiteral("雨萱"),
        QStringLiteral("浩然"), QStringLiteral("欣怡"), QStringLiteral("佳琪"),
    };
    const int rowTops[9] = { 1800, 2160, 2640, 3120, 3600, 4320, 4740, 5160, 5880 };
    const QString avatars[9] = { AvatarA, AvatarB, AvatarA, AvatarC, AvatarD, AvatarE, AvatarA, AvatarC, AvatarA };
    c.append({ K::Label, p0, el("Label2", 0), 600, 1560, 360, 180, QStringLiteral("昵称"), AutoSize });
    c.append({ K::Label, p0, el("Label1", 0), 2040, 1560, 720, 180, QStringLiteral("售前客服"), AutoSize });
    c.append({ K::Label, p0, el("Label1", 1), 5640, 1560, 1080, 180, QStringLiteral("头像图片地址"), AutoSize });
    c.append({ K::Label, p0, el("Label2", 1), 360, 4080, 360, 180, QStringLiteral("昵称"), AutoSize });
    c.append({ K::Label, p0, el("Label1", 3), 2040, 4080, 720, 180, QStringLiteral("售后客服"), AutoSize });
    c.append({ K::Label, p0, el("Label1", 2), 5640, 4080, 1080, 180, QStringLiteral("头像图片地址"), AutoSize });
    c.append({ K::Label, p0, el("Label2", 2), 480, 5640, 360, 180, QStringLiteral("昵称"), AutoSize });
    c.append({ K::Label, p0, el("Label1", 5), 2040, 5640, 720, 180, QStringLiteral("旺旺客服"), AutoSize });
    c.append({ K::Label, p0, el("Label1", 4), 5640, 5640, 1080, 180, QStringLiteral("头像图片地址"), AutoSize });
    // Rows 1-5, 6-8 and 9 each share the column headings above their first row.
    const int idHeading[3] = { 0, 3, 5 };
    const int avatarHeading[3] = { 1, 2, 4 };
    for (int n = 1; n <= 9; ++n) {
        const int top = rowTops[n - 1];
        // Rows 1 and 2 stand only 360 twips apart: row 1 is one pixel lower
        // than the rest so that its fields do not overlap those below.
        const int height = n == 1 ? 360 : 375;
        const int group = n <= 5 ? 0 : (n <= 8 ? 1 : 2);
        // Tab walks the rows from the last up, avatar, id, then nickname.
        const int tab = 8 + 3 * (9 - n);
        c.append({ K::TextField, p0, el("Text2", n), 240, top, 1095, height, nicknames[n - 1], NoFlags, tab + 2, el("Label2", group) });
        c.append({ K::TextField, p0, el("Text3", n), 1680, top, 1575, height, n == 1 ? QStringLiteral("QX5102") : QStringLiteral("qx7305"), NoFlags, tab + 1, el("Label1", idHeading[group]) });
        c.append({ K::TextField, p0, el("Text4", n), 3720, top, 6735, height, avatars[n - 1], NoFlags, tab, el("Label1", avatarHeading[group]), AddressKind::Image, { 50, 50 } });
    }
    c.append({ K::Button, p0, QStringLiteral("旺旺清除"), 10560, 4680, 1455, 615, QStringLiteral("清空内容"), NoFlags, 6 });
    c.append({ K::Button, p0, QStringLiteral("旺旺在线"), 10560, 5520, 1455, 615, Generate, NoFlags, 7 });
    c.append({ K::TextField, p0, el("Text1", 1), 2880, 8160, 6135, 375, BannerPreSales, Outside, 0, el("Label3", 0), AddressKind::Image, { 204, 0 } });
    c.append({ K::TextField, p0, el("Text1", 2), 2400, 8400, 6135, 375, BannerAfterSales, Outside, 0, el("Label3", 1), AddressKind::Image, { 40, 0 } });
    c.append({ K::TextField, p0, el("Text1", 3), 2400, 8640, 6135, 375, BannerComplaints, Outside, 0, el("Label3", 2), AddressKind::Image, { 40, 0 } });
    c.append({ K::Label, p0, el("Label3", 0), 480, 8280, 2250, 180, QStringLiteral("客服中心+售前客服图片地址"), Blue | AutoSize | Outside });
    c.append({ K::Label, p0, el("Label3", 1), 720, 8520, 1440, 180, QStringLiteral("售后客服图片地址"), Blue | AutoSize | Outside });
    c.append({ K::Label, p0, el("Label3", 2), 720, 8760, 1440, 180, QStringLiteral("投诉建议图片地址"), Blue | AutoSize | Outside });
    c.append({ K::Label, p0, el("Label4", 0), 360, 8760, 7935, 375, QStringLiteral("工作时间：如果须要修改，可在生成代码后，在淘宝编辑器里修改文字"), Outside });
    c.append({ K::HiddenText, p0, QStringLiteral("Text23"), 11280, 6720, 3495, 1215, {}, Hidden | TemplateHolder });
    c.append({ K::HiddenText, p0, QStringLiteral("Text24"), 11400, 8400, 3255, 1335, QStringLiteral("Text24"), Hidden });

    // Panel 1: scrolling announcement strip.
    c.append({ K::Picture, p1, el("Image2", 0), 120, 240, 12090, 1035, QStringLiteral(":/pictures/Image2_0.jpg") });
    c.append({ K::Label, p1, el("Label4", 1), 600, 1920, 1260, 180, QStringLiteral("背景图(950*80)"), AutoSize });
    c.append({ K::TextField, p1, QStringLiteral("Text8"), 2280, 1800, 9375, 375, StripBackground, NoFlags, 40, el("Label4", 1), AddressKind::Image, { 950, 80 } });
    c.append({ K::Label, p1, el("Label1", 6), 1080, 2640, 720, 180, QStringLiteral("公告文字"), AutoSize });
    c.append({ K::TextField, p1, QStringLiteral("Text12"), 2280, 2400, 9375, 375, QStringLiteral("3月12日，禾木川舍开发了第一款专业版全屏轮播代码……"), NoFlags, 36, el("Label1", 6) });
    c.append({ K::Label, p1, el("Label2", 3), 1080, 3240, 720, 180, QStringLiteral("字体颜色"), AutoSize });
    c.append({ K::TextField, p1, QStringLiteral("Text9"), 2280, 3120, 1095, 375, QStringLiteral("#FF0000"), NoFlags, 39, el("Label2", 3) });
    c.append({ K::Label, p1, el("Label3", 3), 1080, 3840, 720, 180, QStringLiteral("字体大小"), AutoSize });
    c.append({ K::TextField, p1, QStringLiteral("Text10"), 2280, 3750, 855, 375, QStringLiteral("40"), NoFlags, 38, el("Label3", 3) });
    c.append({ K::Label, p1, el("Label5", 1), 1200, 4440, 720, 180, QStringLiteral("滚动速度"), AutoSize });
    c.append({ K::TextField, p1, QStringLiteral("Text11"), 2280, 4320, 855, 375, QStringLiteral("6"), NoFlags, 37, el("Label5", 1) });
    c.append({ K::Button, p1, QStringLiteral("LEN滚动"), 9480, 4080, 2055, 615, Generate, NoFlags, 35 });
    c.append({ K::HiddenText, p1, QStringLiteral("Text13"), 840, 5160, 2775, 1935, {}, Hidden | TemplateHolder });
    c.append({ K::HiddenText, p1, QStringLiteral("Text14"), 4200, 5160, 2535, 1815, QStringLiteral("Text14"), Hidden });

    // Panel 2: navigation-bar CSS.
    c.append({ K::Label, p2, el("Label4", 2), 3360, 360, 1575, 255, QStringLiteral("空间图片地址链接") });
    c.append({ K::Label, p2, el("Label4", 3), 9240, 360, 1575, 255, QStringLiteral("空间图片地址链接") });
    struct NavRow { int field; int fieldLeft, fieldTop; const char* label; int labelIndex; int labelLeft, labelTop; QString caption; QString value; };
    const NavRow navRows[8] = {
        { 1, 2640, 840, "Label6", 1, 120, 840, QStringLiteral("导航背景图："), NavigationBar },
        { 2, 2640, 1320, "Label6", 4, 120, 1380, QStringLiteral("鼠标移至,导航背景图："), NavigationX },
        { 3, 2640, 2160, "Label6", 6, 120, 2250, QStringLiteral("所有分类背景图："), NavigationX },
        { 4, 2640, 2640, "Label6", 8, 120, 2760, QStringLiteral("鼠标移至,所有分类背景图："), NavigationY },
        { 5, 8280, 840, "Label6", 10, 6000, 960, QStringLiteral("一级下拉菜单背景图："), QString() },
        { 6, 8280, 1320, "Label9", 0, 6000, 1440, QStringLiteral("鼠标移至,一级菜单背景图："), NavigationX },
        { 7, 8280, 2160, "Label9", 1, 6000, 2280, QStringLiteral("二级下拉菜单背景图："), QString() },
        { 8, 8280, 2640, "Label9", 2, 6000, 2760, QStringLiteral("鼠标移至,二级菜单背景图："), NavigationX },
    };
    for (const NavRow& row : navRows) {
        c.append({ K::Label, p2, el(row.label, row.labelIndex), row.labelLeft, row.labelTop, 2295, 255, row.caption, AlignRight });
        c.append({ K::TextField, p2, el("Text7", row.field), row.fieldLeft, row.fieldTop, 3255, 375, row.value, NoFlags, 41 + row.field, el(row.label, row.labelIndex), AddressKind::Image });
    }
    c.append({ K::Button, p2, QStringLiteral("CSS导航"), 9360, 3600, 1935, 735, Generate, NoFlags, 41 });
    c.append({ K::Picture, p2, el("Image1", 1), 120, 4800, 11820, 1185, QStringLiteral(":/pictures/Image1_1.jpg"), Stretched });
    c.append({ K::Label, p2, el("Label2", 4), 360, 4920, 10455, 255, InstallHint, WhiteOverPicture });
    c.append({ K::HiddenText, p2, QStringLiteral("Text5"), 600, 6240, 4575, 2295, {}, Hidden | TemplateHolder });
    c.append({ K::HiddenText, p2, QStringLiteral("Text6"), 5760, 6240, 2175, 1695, QStringLiteral("Text6"), Hidden });

    // Panel 3: full-screen poster carousel.
    c.append({ K::Picture, p3, el("Image1", 2), 1320, 480, 9570, 2415, QStringLiteral(":/pictures/Image1_2.jpg") });
    c.append({ K::Label, p3, el("Label7", 0), 360, 3600, 2250, 180, QStringLiteral("海报图片地址A（1440*500）"), AutoSize });
    c.append({ K::TextField, p3, el("Text15", 1), 2760, 3480, 8655, 375, PosterA, NoFlags, 51, el("Label7", 0), AddressKind::Image, { 1440, 500 } });
    c.append({ K::Label, p3, el("Label7", 1), 1440, 4200, 1080, 180, QStringLiteral("商品链接地址"), AutoSize });
    c.append({ K::TextField, p3, el("Text15", 2), 2760, 4080, 6855, 375, ShopAddress, NoFlags, 52, el("Label7", 1), AddressKind::Link });
    c.append({ K::Label, p3, el("Label7", 2), 360, 4920, 2250, 180, QStringLiteral("海报图片地址B（1440*500）"), AutoSize });
    c.append({ K::TextField, p3, el("Text15", 3), 2760, 4800, 8295, 375, PosterB, NoFlags, 53, el("Label7", 2), AddressKind::Image, { 1440, 500 } });
    c.append({ K::Label, p3, el("Label7", 3), 1560, 5520, 1080, 180, QStringLiteral("商品链接地址"), AutoSize });
    c.append({ K::TextField, p3, el("Text15", 4), 2760, 5400, 6855, 375, ShopAddress, NoFlags, 54, el("Label7", 3), AddressKind::Link });
    c.append({ K::Button, p3, QStringLiteral("全屏轮播"), 9960, 5400, 1815, 615, Generate, NoFlags, 50 });
    c.append({ K::HiddenText, p3, QStringLiteral("Text16"), 720, 7320, 2655, 1935, {}, Hidden | TemplateHolder });
    c.append({ K::HiddenText, p3, QStringLiteral("Text17"), 4320, 6960, 2655, 1695, QStringLiteral("Text17"), Hidden });

    // Panel 4: background music.
    c.append({ K::Label, p4, QStringLiteral("Label8"), 360, 720, 1815, 375, QStringLiteral("音乐网络链接地址：") });
    c.append({ K::TextField, p4, QStringLiteral("Text18"), 2400, 720, 8775, 375, MusicAddress, NoFlags, 55, QStringLiteral("Label8"), AddressKind::Audio });
    c.append({ K::Button, p4, QStringLiteral("背景音乐生成"), 9600, 1320, 1815, 495, Generate, NoFlags, 56 });
    c.append({ K::HiddenText, p4, QStringLiteral("Text19"), 960, 6840, 6495, 495, {}, Hidden | TemplateHolder });

    // Panel 5: fixed page background (its option is hidden).
    c.append({ K::Label, p5, QStringLiteral("Label11"), 360, 480, 1695, 375, QStringLiteral("悬浮背景图片链接") });
    c.append({ K::TextField, p5, QStringLiteral("Text20"), 2040, 360, 7695, 375, PageBackground, NoFlags, 58, QStringLiteral("Label11"), AddressKind::Image });
    c.append({ K::Button, p5, QStringLiteral("悬浮背景"), 10200, 240, 1935, 495, Generate, NoFlags, 59 });
    c.append({ K::Label, p5, el("Label5", 0), 240, 1200, 5175, 255, QStringLiteral("如果不选择平铺，实现全屏建议图片尺寸为：1920*950PX") });
    c.append({ K::Label, p5, el("Label3", 4), 5880, 1320, 6120, 180, QStringLiteral("背景显示于页面最底层，如果专业版已添加背景颜色，须删除才能实现效果；"), Blue | AutoSize });
    c.append({ K::Picture, p5, el("Image1", 3), 120, 1800, 14820, 1305, QStringLiteral(":/pictures/Image1_3.jpg") });
    c.append({ K::Label, p5, el("Label2", 5), 480, 2040, 10455, 255, InstallHint, WhiteOverPicture });
    c.append({ K::Picture, p5, el("Image2", 1), 2040, 3000, 9795, 2790, QStringLiteral(":/pictures/Image2_1.jpg") });
    c.append({ K::HiddenText, p5, QStringLiteral("Text21"), 720, 5640, 7095, 375, {}, Hidden | TemplateHolder });

    // Panel 6: About.
    c.append({ K::AboutText, p6, QStringLiteral("Text22"), 360, 360, 7095, 2895, aboutText(), NoFlags, 60 });
    c.append({ K::LinkLabel, p6, el("Label10", 1), 5400, 3720, 1575, 255, Visit, Red });

    return c;
}

} // namespace

QString windowCaption()
{
    return QStringLiteral("饰铺通 V1.0");
}

QString updatePageAddress()
{
    return QStringLiteral("https://bbs.taobao.com/u/hemuchuanshe");
}

QString developerQQ()
{
    return QStringLiteral("583712046");
}

QString aboutText()
{
    const QString crlf = QStringLiteral("\r\n");
    return crlf + crlf
        + QStringLiteral("    软件开发：禾木川舍") + crlf + crlf + crlf
        + QStringLiteral("    饰铺通 V1.0 旺铺装修助手，永久免费使用") + crlf + crlf + crlf + crlf
        + QStringLiteral("    软件制作： QQ：") + developerQQ() + crlf + crlf + crlf + crlf
        + QStringLiteral("    了解软件最新版功能，请到 ") + updatePageAddress() + crlf;
}

const QList<ControlSpec>& controlInventory()
{
    static const QList<ControlSpec> inventory = buildInventory();
    return inventory;
}

const ControlSpec* findControl(const QString& name)
{
    static const QHash<QString, qsizetype> index = [] {
        QHash<QString, qsizetype> byName;
        const QList<ControlSpec>& all = controlInventory();
        for (qsizetype i = 0; i < all.size(); ++i)
            byName.insert(all.at(i).name, i);
        return byName;
    }();
    const auto it = index.constFind(name);
    return it == index.constEnd() ? nullptr : &controlInventory().at(*it);
}

QString initialText(const QString& name)
{
    const ControlSpec* spec = findControl(name);
    if (!spec)
        return QString();
    if (spec->has(TemplateHolder)) {
        for (const Generator& generator : allGenerators()) {
            if (generator.templateHolder == name)
                return loadTemplate(generator.templateFile);
        }
        return QString();
    }
    return spec->text;
}

QString accessibleCaption(const QString& name)
{
    const ControlSpec* spec = findControl(name);
    if (!spec)
        return QString();
    if (spec->kind != ControlKind::TextField)
        return spec->text;
    const ControlSpec* label = findControl(spec->label);
    if (!label)
        return QString();
    QString caption = label->text;
    // Nine contact rows share three headings: say which contact it is.
    if (const int row = contactRowOf(name))
        return caption + QLatin1Char(' ') + QString::number(row);
    // Fields of a panel that share a caption ("商品链接地址") are told apart
    // by their order.
    QStringList alike;
    for (const ControlSpec& other : controlInventory()) {
        const ControlSpec* otherLabel = findControl(other.label);
        if (other.container == spec->container && otherLabel && otherLabel->text == label->text)
            alike << other.name;
    }
    if (alike.size() > 1)
        caption += QLatin1Char(' ') + QString::number(alike.indexOf(name) + 1);
    return caption;
}

QString reportCaption(const QString& name)
{
    static const QRegularExpression decoration(QStringLiteral("[（(][0-9*]+[）)]|[：:]$"));
    return accessibleCaption(name).remove(decoration);
}

QList<const ControlSpec*> addressFields(int panel)
{
    QList<const ControlSpec*> fields;
    for (const ControlSpec& spec : controlInventory()) {
        if (spec.container == panelName(panel) && spec.address != AddressKind::None)
            fields << &spec;
    }
    return fields;
}

const QList<QString>& focusOrder()
{
    static const QList<QString> order = [] {
        QList<const ControlSpec*> stops;
        for (const ControlSpec& spec : controlInventory()) {
            if (spec.tab > 0)
                stops << &spec;
        }
        std::sort(stops.begin(), stops.end(), [](auto* a, auto* b) { return a->tab < b->tab; });
        QList<QString> names;
        for (const ControlSpec* spec : stops)
            names << spec->name;
        return names;
    }();
    return order;
}

QString panelName(int index)
{
    return arrayElementName(QStringLiteral("Frame2"), index);
}

QString optionName(int index)
{
    return arrayElementName(QStringLiteral("Option1"), index);
}
