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

using K = ControlKind;
using F = ControlFlag;
using C = FieldCheck;

QString el(const char* array, int index)
{
    return arrayElementName(QString::fromLatin1(array), index);
}

// The option bar and the panels, all seven in one place: one shows at a time.
void optionBarAndPanels(QList<ControlSpec>& c)
{
    const QString form;
    const QString bar = QStringLiteral("Frame1");
    c.append({ .kind = K::Frame, .container = form, .name = bar, .twips = { 120, 120, 12255, 615 } });
    c.append({ .kind = K::Option, .container = bar, .name = optionName(0), .twips = { 120, 240, 1335, 255 }, .text = QStringLiteral("客服在线"), .flags = F::Checked, .tab = 5 });
    c.append({ .kind = K::Option, .container = bar, .name = optionName(1), .twips = { 1440, 240, 1335, 255 }, .text = QStringLiteral("仿LEN滚动条"), .tab = 4 });
    c.append({ .kind = K::Option, .container = bar, .name = optionName(2), .twips = { 2880, 240, 1935, 255 }, .text = QStringLiteral("CSS导航背景变色"), .tab = 3 });
    c.append({ .kind = K::Option, .container = bar, .name = optionName(3), .twips = { 4800, 240, 1695, 255 }, .text = QStringLiteral("全屏海报轮播"), .tab = 2 });
    c.append({ .kind = K::Option, .container = bar, .name = optionName(4), .twips = { 6600, 240, 1575, 255 }, .text = QStringLiteral("店铺背景音乐"), .tab = 1 });
    c.append({ .kind = K::Option, .container = bar, .name = optionName(5), .twips = { 12480, 240, 1695, 255 }, .text = QStringLiteral("店铺悬浮背景"), .flags = F::Hidden | F::Outside });
    c.append({ .kind = K::Option, .container = bar, .name = optionName(6), .twips = { 8280, 240, 1335, 255 }, .text = QStringLiteral("关于软件"), .tab = 57 });
    c.append({ .kind = K::LinkLabel, .container = bar, .name = el("Label10", 0), .twips = { 10320, 240, 1575, 255 }, .text = Visit, .flags = F::Red });
    for (int i = 0; i < PanelCount; ++i)
        c.append({ .kind = K::Frame, .container = form, .name = panelName(i), .twips = { 120, 720, i == 2 ? 12135 : 12255, 6375 } });
}

// Customer-service contact block.
void contactPanel(QList<ControlSpec>& c)
{
    const QString p0 = panelName(0);
    c.append({ .kind = K::Picture, .container = p0, .name = el("Image1", 0), .twips = { 120, 120, 10455, 1185 }, .text = QStringLiteral(":/pictures/Image1_0.jpg"), .flags = F::Stretched });
    const QString nicknames[ContactRowCount] = {
        QStringLiteral("阿杰"), QStringLiteral("晓琳"), QStringLiteral("若曦"),
        QStringLiteral("子墨"), QStringLiteral("思涵"), QStringLiteral("雨萱"),
        QStringLiteral("浩然"), QStringLiteral("欣怡"), QStringLiteral("佳琪"),
    };
    const int rowTops[ContactRowCount] = { 1800, 2160, 2640, 3120, 3600, 4320, 4740, 5160, 5880 };
    const QString avatars[ContactRowCount] = { AvatarA, AvatarB, AvatarA, AvatarC, AvatarD, AvatarE, AvatarA, AvatarC, AvatarA };
    c.append({ .kind = K::Label, .container = p0, .name = el("Label2", 0), .twips = { 600, 1560, 360, 180 }, .text = QStringLiteral("昵称"), .flags = F::AutoSize });
    c.append({ .kind = K::Label, .container = p0, .name = el("Label1", 0), .twips = { 2040, 1560, 720, 180 }, .text = QStringLiteral("售前客服"), .flags = F::AutoSize });
    c.append({ .kind = K::Label, .container = p0, .name = el("Label1", 1), .twips = { 5640, 1560, 1080, 180 }, .text = QStringLiteral("头像图片地址"), .flags = F::AutoSize });
    c.append({ .kind = K::Label, .container = p0, .name = el("Label2", 1), .twips = { 360, 4080, 360, 180 }, .text = QStringLiteral("昵称"), .flags = F::AutoSize });
    c.append({ .kind = K::Label, .container = p0, .name = el("Label1", 3), .twips = { 2040, 4080, 720, 180 }, .text = QStringLiteral("售后客服"), .flags = F::AutoSize });
    c.append({ .kind = K::Label, .container = p0, .name = el("Label1", 2), .twips = { 5640, 4080, 1080, 180 }, .text = QStringLiteral("头像图片地址"), .flags = F::AutoSize });
    c.append({ .kind = K::Label, .container = p0, .name = el("Label2", 2), .twips = { 480, 5640, 360, 180 }, .text = QStringLiteral("昵称"), .flags = F::AutoSize });
    c.append({ .kind = K::Label, .container = p0, .name = el("Label1", 5), .twips = { 2040, 5640, 720, 180 }, .text = QStringLiteral("旺旺客服"), .flags = F::AutoSize });
    c.append({ .kind = K::Label, .container = p0, .name = el("Label1", 4), .twips = { 5640, 5640, 1080, 180 }, .text = QStringLiteral("头像图片地址"), .flags = F::AutoSize });
    // Rows 1-5, 6-8 and 9 each share the column headings above their first row.
    const int idHeading[3] = { 0, 3, 5 };
    const int avatarHeading[3] = { 1, 2, 4 };
    for (int n = 1; n <= ContactRowCount; ++n) {
        const int top = rowTops[n - 1];
        // Rows 1 and 2 stand 360 twips apart: row 1 is a pixel lower, not to overlap.
        const int height = n == 1 ? 360 : 375;
        const int group = n <= 5 ? 0 : (n <= 8 ? 1 : 2);
        // Tab walks the rows from the last up, avatar, id, then nickname.
        const int tab = 8 + 3 * (ContactRowCount - n);
        c.append({ .kind = K::TextField, .container = p0, .name = el("Text2", n), .twips = { 240, top, 1095, height }, .text = nicknames[n - 1], .tab = tab + 2, .label = el("Label2", group), .check = C::Text });
        c.append({ .kind = K::TextField, .container = p0, .name = el("Text3", n), .twips = { 1680, top, 1575, height }, .text = n == 1 ? QStringLiteral("QX5102") : QStringLiteral("qx7305"), .tab = tab + 1, .label = el("Label1", idHeading[group]), .check = C::Attribute });
        c.append({ .kind = K::TextField, .container = p0, .name = el("Text4", n), .twips = { 3720, top, 6735, height }, .text = avatars[n - 1], .tab = tab, .label = el("Label1", avatarHeading[group]), .address = AddressKind::Image, .laidOut = { 50, 50 }, .check = C::Address });
    }
    c.append({ .kind = K::Button, .container = p0, .name = QStringLiteral("旺旺清除"), .twips = { 10560, 4680, 1455, 615 }, .text = QStringLiteral("清空内容"), .tab = 6 });
    c.append({ .kind = K::Button, .container = p0, .name = QStringLiteral("旺旺在线"), .twips = { 10560, 5520, 1455, 615 }, .text = Generate, .tab = 7 });
    c.append({ .kind = K::TextField, .container = p0, .name = el("Text1", 1), .twips = { 2880, 8160, 6135, 375 }, .text = BannerPreSales, .flags = F::Outside, .label = el("Label3", 0), .address = AddressKind::Image, .laidOut = { 204, 0 }, .check = C::Address });
    c.append({ .kind = K::TextField, .container = p0, .name = el("Text1", 2), .twips = { 2400, 8400, 6135, 375 }, .text = BannerAfterSales, .flags = F::Outside, .label = el("Label3", 1), .address = AddressKind::Image, .laidOut = { 40, 0 }, .check = C::Address });
    c.append({ .kind = K::TextField, .container = p0, .name = el("Text1", 3), .twips = { 2400, 8640, 6135, 375 }, .text = BannerComplaints, .flags = F::Outside, .label = el("Label3", 2), .address = AddressKind::Image, .laidOut = { 40, 0 }, .check = C::Address });
    c.append({ .kind = K::Label, .container = p0, .name = el("Label3", 0), .twips = { 480, 8280, 2250, 180 }, .text = QStringLiteral("客服中心+售前客服图片地址"), .flags = F::Blue | F::AutoSize | F::Outside });
    c.append({ .kind = K::Label, .container = p0, .name = el("Label3", 1), .twips = { 720, 8520, 1440, 180 }, .text = QStringLiteral("售后客服图片地址"), .flags = F::Blue | F::AutoSize | F::Outside });
    c.append({ .kind = K::Label, .container = p0, .name = el("Label3", 2), .twips = { 720, 8760, 1440, 180 }, .text = QStringLiteral("投诉建议图片地址"), .flags = F::Blue | F::AutoSize | F::Outside });
    c.append({ .kind = K::Label, .container = p0, .name = el("Label4", 0), .twips = { 360, 8760, 7935, 375 }, .text = QStringLiteral("工作时间：如果须要修改，可在生成代码后，在淘宝编辑器里修改文字"), .flags = F::Outside });
    c.append({ .kind = K::HiddenText, .container = p0, .name = QStringLiteral("Text23"), .twips = { 11280, 6720, 3495, 1215 }, .flags = F::Hidden });
    c.append({ .kind = K::HiddenText, .container = p0, .name = QStringLiteral("Text24"), .twips = { 11400, 8400, 3255, 1335 }, .text = QStringLiteral("Text24"), .flags = F::Hidden });
}

// Scrolling announcement strip.
void stripPanel(QList<ControlSpec>& c)
{
    const QString p1 = panelName(1);
    c.append({ .kind = K::Picture, .container = p1, .name = el("Image2", 0), .twips = { 120, 240, 12090, 1035 }, .text = QStringLiteral(":/pictures/Image2_0.jpg") });
    c.append({ .kind = K::Label, .container = p1, .name = el("Label4", 1), .twips = { 600, 1920, 1260, 180 }, .text = QStringLiteral("背景图(950*80)"), .flags = F::AutoSize });
    c.append({ .kind = K::TextField, .container = p1, .name = QStringLiteral("Text8"), .twips = { 2280, 1800, 9375, 375 }, .text = StripBackground, .tab = 40, .label = el("Label4", 1), .address = AddressKind::Image, .laidOut = { 950, 80 }, .check = C::Address });
    c.append({ .kind = K::Label, .container = p1, .name = el("Label1", 6), .twips = { 1080, 2640, 720, 180 }, .text = QStringLiteral("公告文字"), .flags = F::AutoSize });
    c.append({ .kind = K::TextField, .container = p1, .name = QStringLiteral("Text12"), .twips = { 2280, 2400, 9375, 375 }, .text = QStringLiteral("3月12日，禾木川舍开发了第一款专业版全屏轮播代码……"), .tab = 36, .label = el("Label1", 6), .check = C::Text });
    c.append({ .kind = K::Label, .container = p1, .name = el("Label2", 3), .twips = { 1080, 3240, 720, 180 }, .text = QStringLiteral("字体颜色"), .flags = F::AutoSize });
    c.append({ .kind = K::TextField, .container = p1, .name = QStringLiteral("Text9"), .twips = { 2280, 3120, 1095, 375 }, .text = QStringLiteral("#FF0000"), .tab = 39, .label = el("Label2", 3), .check = C::Attribute });
    c.append({ .kind = K::Label, .container = p1, .name = el("Label3", 3), .twips = { 1080, 3840, 720, 180 }, .text = QStringLiteral("字体大小"), .flags = F::AutoSize });
    c.append({ .kind = K::TextField, .container = p1, .name = QStringLiteral("Text10"), .twips = { 2280, 3750, 855, 375 }, .text = QStringLiteral("40"), .tab = 38, .label = el("Label3", 3), .check = C::Pixels });
    c.append({ .kind = K::Label, .container = p1, .name = el("Label5", 1), .twips = { 1200, 4440, 720, 180 }, .text = QStringLiteral("滚动速度"), .flags = F::AutoSize });
    c.append({ .kind = K::TextField, .container = p1, .name = QStringLiteral("Text11"), .twips = { 2280, 4320, 855, 375 }, .text = QStringLiteral("6"), .tab = 37, .label = el("Label5", 1), .check = C::Number });
    c.append({ .kind = K::Button, .container = p1, .name = QStringLiteral("LEN滚动"), .twips = { 9480, 4080, 2055, 615 }, .text = Generate, .tab = 35 });
    c.append({ .kind = K::HiddenText, .container = p1, .name = QStringLiteral("Text13"), .twips = { 840, 5160, 2775, 1935 }, .flags = F::Hidden });
    c.append({ .kind = K::HiddenText, .container = p1, .name = QStringLiteral("Text14"), .twips = { 4200, 5160, 2535, 1815 }, .text = QStringLiteral("Text14"), .flags = F::Hidden });
}

// Navigation-bar CSS.
void navigationPanel(QList<ControlSpec>& c)
{
    const QString p2 = panelName(2);
    c.append({ .kind = K::Label, .container = p2, .name = el("Label4", 2), .twips = { 3360, 360, 1575, 255 }, .text = QStringLiteral("空间图片地址链接") });
    c.append({ .kind = K::Label, .container = p2, .name = el("Label4", 3), .twips = { 9240, 360, 1575, 255 }, .text = QStringLiteral("空间图片地址链接") });
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
        c.append({ .kind = K::Label, .container = p2, .name = el(row.label, row.labelIndex), .twips = { row.labelLeft, row.labelTop, 2295, 255 }, .text = row.caption, .flags = F::AlignRight });
        c.append({ .kind = K::TextField, .container = p2, .name = el("Text7", row.field), .twips = { row.fieldLeft, row.fieldTop, 3255, 375 }, .text = row.value, .tab = 41 + row.field, .label = el(row.label, row.labelIndex), .address = AddressKind::Image, .check = C::Address });
    }
    c.append({ .kind = K::Button, .container = p2, .name = QStringLiteral("CSS导航"), .twips = { 9360, 3600, 1935, 735 }, .text = Generate, .tab = 41 });
    c.append({ .kind = K::Picture, .container = p2, .name = el("Image1", 1), .twips = { 120, 4800, 11820, 1185 }, .text = QStringLiteral(":/pictures/Image1_1.jpg"), .flags = F::Stretched });
    c.append({ .kind = K::Label, .container = p2, .name = el("Label2", 4), .twips = { 360, 4920, 10455, 255 }, .text = InstallHint, .flags = F::WhiteOverPicture });
    c.append({ .kind = K::HiddenText, .container = p2, .name = QStringLiteral("Text5"), .twips = { 600, 6240, 4575, 2295 }, .flags = F::Hidden });
    c.append({ .kind = K::HiddenText, .container = p2, .name = QStringLiteral("Text6"), .twips = { 5760, 6240, 2175, 1695 }, .text = QStringLiteral("Text6"), .flags = F::Hidden });
}

// Full-screen poster carousel.
void carouselPanel(QList<ControlSpec>& c)
{
    const QString p3 = panelName(3);
    c.append({ .kind = K::Picture, .container = p3, .name = el("Image1", 2), .twips = { 1320, 480, 9570, 2415 }, .text = QStringLiteral(":/pictures/Image1_2.jpg") });
    c.append({ .kind = K::Label, .container = p3, .name = el("Label7", 0), .twips = { 360, 3600, 2250, 180 }, .text = QStringLiteral("海报图片地址A（1440*500）"), .flags = F::AutoSize });
    c.append({ .kind = K::TextField, .container = p3, .name = el("Text15", 1), .twips = { 2760, 3480, 8655, 375 }, .text = PosterA, .tab = 51, .label = el("Label7", 0), .address = AddressKind::Image, .laidOut = { 1440, 500 }, .check = C::Address });
    c.append({ .kind = K::Label, .container = p3, .name = el("Label7", 1), .twips = { 1440, 4200, 1080, 180 }, .text = QStringLiteral("商品链接地址"), .flags = F::AutoSize });
    c.append({ .kind = K::TextField, .container = p3, .name = el("Text15", 2), .twips = { 2760, 4080, 6855, 375 }, .text = ShopAddress, .tab = 52, .label = el("Label7", 1), .address = AddressKind::Link, .check = C::Address });
    c.append({ .kind = K::Label, .container = p3, .name = el("Label7", 2), .twips = { 360, 4920, 2250, 180 }, .text = QStringLiteral("海报图片地址B（1440*500）"), .flags = F::AutoSize });
    c.append({ .kind = K::TextField, .container = p3, .name = el("Text15", 3), .twips = { 2760, 4800, 8295, 375 }, .text = PosterB, .tab = 53, .label = el("Label7", 2), .address = AddressKind::Image, .laidOut = { 1440, 500 }, .check = C::Address });
    c.append({ .kind = K::Label, .container = p3, .name = el("Label7", 3), .twips = { 1560, 5520, 1080, 180 }, .text = QStringLiteral("商品链接地址"), .flags = F::AutoSize });
    c.append({ .kind = K::TextField, .container = p3, .name = el("Text15", 4), .twips = { 2760, 5400, 6855, 375 }, .text = ShopAddress, .tab = 54, .label = el("Label7", 3), .address = AddressKind::Link, .check = C::Address });
    c.append({ .kind = K::Button, .container = p3, .name = QStringLiteral("全屏轮播"), .twips = { 9960, 5400, 1815, 615 }, .text = Generate, .tab = 50 });
    c.append({ .kind = K::HiddenText, .container = p3, .name = QStringLiteral("Text16"), .twips = { 720, 7320, 2655, 1935 }, .flags = F::Hidden });
    c.append({ .kind = K::HiddenText, .container = p3, .name = QStringLiteral("Text17"), .twips = { 4320, 6960, 2655, 1695 }, .text = QStringLiteral("Text17"), .flags = F::Hidden });
}

// Background music.
void musicPanel(QList<ControlSpec>& c)
{
    const QString p4 = panelName(4);
    c.append({ .kind = K::Label, .container = p4, .name = QStringLiteral("Label8"), .twips = { 360, 720, 1815, 375 }, .text = QStringLiteral("音乐网络链接地址：") });
    c.append({ .kind = K::TextField, .container = p4, .name = QStringLiteral("Text18"), .twips = { 2400, 720, 8775, 375 }, .text = MusicAddress, .tab = 55, .label = QStringLiteral("Label8"), .address = AddressKind::Audio, .check = C::Address });
    c.append({ .kind = K::Button, .container = p4, .name = QStringLiteral("背景音乐生成"), .twips = { 9600, 1320, 1815, 495 }, .text = Generate, .tab = 56 });
    c.append({ .kind = K::HiddenText, .container = p4, .name = QStringLiteral("Text19"), .twips = { 960, 6840, 6495, 495 }, .flags = F::Hidden });
}

// Fixed page background (its option is hidden).
void backgroundPanel(QList<ControlSpec>& c)
{
    const QString p5 = panelName(5);
    c.append({ .kind = K::Label, .container = p5, .name = QStringLiteral("Label11"), .twips = { 360, 480, 1695, 375 }, .text = QStringLiteral("悬浮背景图片链接") });
    c.append({ .kind = K::TextField, .container = p5, .name = QStringLiteral("Text20"), .twips = { 2040, 360, 7695, 375 }, .text = PageBackground, .tab = 58, .label = QStringLiteral("Label11"), .address = AddressKind::Image, .check = C::Address });
    c.append({ .kind = K::Button, .container = p5, .name = QStringLiteral("悬浮背景"), .twips = { 10200, 240, 1935, 495 }, .text = Generate, .tab = 59 });
    c.append({ .kind = K::Label, .container = p5, .name = el("Label5", 0), .twips = { 240, 1200, 5175, 255 }, .text = QStringLiteral("如果不选择平铺，实现全屏建议图片尺寸为：1920*950PX") });
    c.append({ .kind = K::Label, .container = p5, .name = el("Label3", 4), .twips = { 5880, 1320, 6120, 180 }, .text = QStringLiteral("背景显示于页面最底层，如果专业版已添加背景颜色，须删除才能实现效果；"), .flags = F::Blue | F::AutoSize });
    c.append({ .kind = K::Picture, .container = p5, .name = el("Image1", 3), .twips = { 120, 1800, 14820, 1305 }, .text = QStringLiteral(":/pictures/Image1_3.jpg") });
    c.append({ .kind = K::Label, .container = p5, .name = el("Label2", 5), .twips = { 480, 2040, 10455, 255 }, .text = InstallHint, .flags = F::WhiteOverPicture });
    c.append({ .kind = K::Picture, .container = p5, .name = el("Image2", 1), .twips = { 2040, 3000, 9795, 2790 }, .text = QStringLiteral(":/pictures/Image2_1.jpg") });
    c.append({ .kind = K::HiddenText, .container = p5, .name = QStringLiteral("Text21"), .twips = { 720, 5640, 7095, 375 }, .flags = F::Hidden });
}

// About.
void aboutPanel(QList<ControlSpec>& c)
{
    const QString p6 = panelName(6);
    c.append({ .kind = K::AboutText, .container = p6, .name = QStringLiteral("Text22"), .twips = { 360, 360, 7095, 2895 }, .text = aboutText(), .tab = 60 });
    c.append({ .kind = K::LinkLabel, .container = p6, .name = el("Label10", 1), .twips = { 5400, 3720, 1575, 255 }, .text = Visit, .flags = F::Red });
}

QList<ControlSpec> buildInventory()
{
    QList<ControlSpec> c;
    optionBarAndPanels(c);
    for (const auto panel : { contactPanel, stripPanel, navigationPanel, carouselPanel, musicPanel,
                              backgroundPanel, aboutPanel })
        panel(c);
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
    for (const Generator& generator : allGenerators()) {
        if (generator.templateHolder == name)
            return loadTemplate(generator.templateFile);
    }
    const ControlSpec* spec = findControl(name);
    return spec ? spec->text : QString();
}

QRect pixelRect(const ControlSpec& spec)
{
    const QRect& t = spec.twips;
    return QRect(twipsToPixels(t.x()), twipsToPixels(t.y()), twipsToPixels(t.width()), twipsToPixels(t.height()));
}

QSize pictureSize(const ControlSpec& spec)
{
    const QSize size = spec.laidOut;
    return size.height() == 0 && size.width() > 0 ? QSize(size.width(), BannerHeight) : size;
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
    // Fields of a panel sharing a caption ("商品链接地址") are told apart by order.
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

QString reportCaption(const QString& name, const FieldText& fieldText)
{
    static const QRegularExpression decoration(QStringLiteral("[（(][0-9*]+[）)]|[：:]$"));
    QString caption = accessibleCaption(name).remove(decoration);
    // Owners know their contacts by name, not by row number.
    if (const int row = contactRowOf(name); row && fieldText) {
        const QString nickname = fieldText(el("Text2", row)).trimmed();
        if (!nickname.isEmpty())
            caption += QStringLiteral("（%1）").arg(nickname);
    }
    return caption;
}

QList<const ControlSpec*> addressFields(int panel)
{
    QList<const ControlSpec*> fields;
    const QString frame = panelName(panel);
    for (const ControlSpec& spec : controlInventory()) {
        if (spec.container == frame && spec.address != AddressKind::None)
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
