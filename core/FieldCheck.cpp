#include "FieldCheck.h"

#include <QStringList>

namespace {

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

// Whether the character after `at` makes a markup start of `value[at]`:
// "<" before a tag's name, "</", "<!" or "<?"; "&" before a reference.
bool startsMarkup(QStringView value, qsizetype at)
{
    if (at + 1 >= value.size())
        return false;
    const QChar next = value.at(at + 1);
    if (value.at(at) == QLatin1Char('<'))
        return isAsciiLetter(next) || next == QLatin1Char('/') || next == QLatin1Char('!') || next == QLatin1Char('?');
    return isAsciiLetter(next) || next == QLatin1Char('#');
}

// The most of a value a tooltip quotes.
constexpr qsizetype Longest = 40;

// A value as a tooltip quotes it: a long one cut short.
QString excerpt(QStringView value)
{
    return value.size() <= Longest ? value.toString() : value.left(Longest).toString() + QStringLiteral("…");
}

// An absolute http:// or https:// address with something where the host goes.
bool isWebAddress(QStringView value)
{
    for (const QLatin1String scheme : { QLatin1String("http://"), QLatin1String("https://") }) {
        if (!value.startsWith(scheme, Qt::CaseInsensitive))
            continue;
        const QStringView rest = value.mid(scheme.size());
        return !rest.isEmpty() && rest.front() != QLatin1Char('/') && rest.front() != QLatin1Char('?')
            && rest.front() != QLatin1Char('#');
    }
    return false;
}

// What in a value would end the HTML attribute it lands in early, and what
// would break its line, each told in the words the caller gives.
QStringList attributeBreaks(QStringView value, const QString& quoteOrBracket, const QString& lineBreakOrTab)
{
    bool breaksAttribute = false;
    bool breaksLine = false;
    // One pass: this runs at every keystroke, on values of any length.
    for (const QChar c : value) {
        // A switch, not a chain of comparisons: half the time per character.
        switch (c.unicode()) {
        case '"':
        case '<':
        case '>':
            breaksAttribute = true;
            break;
        case '\r':
        case '\n':
        case '\t':
            breaksLine = true;
            break;
        default:
            break;
        }
    }
    QStringList problems;
    if (breaksAttribute)
        problems << quoteOrBracket;
    if (breaksLine)
        problems << lineBreakOrTab;
    return problems;
}

QString attributeProblem(QStringView value)
{
    return attributeBreaks(value,
        QStringLiteral("这里有英文引号或尖括号（\" < >），会提前结束页面代码里的属性，链接或颜色随之失效。请删掉这些字符。"),
        QStringLiteral("这里有换行或制表符，请删掉，让内容保持一行。"))
        .join(QLatin1Char('\n'));
}

// What a browser shows for a value placed as text: tags dropped, the common
// character references read, leading spaces gone; no more than `limit`
// characters of it, as only the start is quoted.
QString shownAsText(QStringView value, qsizetype limit)
{
    static const std::pair<QLatin1String, QChar> named[] = {
        { QLatin1String("amp;"), QLatin1Char('&') },  { QLatin1String("lt;"), QLatin1Char('<') },
        { QLatin1String("gt;"), QLatin1Char('>') },   { QLatin1String("quot;"), QLatin1Char('"') },
        { QLatin1String("apos;"), QLatin1Char('\'') }, { QLatin1String("nbsp;"), QChar(0xa0) },
    };
    QString shown;
    for (qsizetype i = 0; i < value.size() && shown.size() < limit; ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('<') && startsMarkup(value, i)) {
            // A tag shows nothing; one left open swallows the rest.
            const qsizetype end = value.indexOf(QLatin1Char('>'), i);
            if (end < 0)
                break;
            i = end;
            continue;
        }
        if (c == QLatin1Char('&') && startsMarkup(value, i)) {
            const QStringView rest = value.mid(i + 1);
            bool read = false;
            for (const auto& [name, character] : named) {
                if (rest.startsWith(name)) {
                    shown += character;
                    i += name.size();
                    read = true;
                    break;
                }
            }
            const qsizetype semicolon = rest.indexOf(QLatin1Char(';'));
            if (!read && rest.startsWith(QLatin1Char('#')) && semicolon > 1) {
                const QStringView digits = rest.mid(1, semicolon - 1);
                bool ok = false;
                const uint code = digits.startsWith(QLatin1Char('x'), Qt::CaseInsensitive)
                    ? digits.mid(1).toUInt(&ok, 16)
                    : digits.toUInt(&ok, 10);
                if (ok && code > 0 && code <= 0x10ffff) {
                    const char32_t character = code;
                    shown += QString::fromUcs4(&character, 1);
                    i += semicolon + 1;
                    read = true;
                }
            }
            if (read)
                continue;
        }
        if (!shown.isEmpty() || !c.isSpace())
            shown += c;
    }
    return shown;
}

QString textProblem(QStringView value)
{
    bool markup = false;
    for (qsizetype i = 0; i < value.size() && !markup; ++i) {
        switch (value.at(i).unicode()) {
        case '<':
        case '&':
            markup = startsMarkup(value, i);
            break;
        default:
            break;
        }
    }
    if (!markup)
        return QString();
    return QStringLiteral("这里的“<”“>”或“&”会被当成网页代码，店铺页面上只会显示“%1”。"
                          "请删掉它们，或改用全角的＜ ＞ ＆。")
        .arg(excerpt(shownAsText(value, Longest + 1).trimmed()));
}

QString numberProblem(FieldCheck check, QStringView value)
{
    for (const QChar c : value) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            if (check == FieldCheck::Pixels)
                return QStringLiteral("这里只能填数字（例如 40）：单位 px 已经写在代码里，填“%1”会变成“%1px”，"
                                      "设置随之失效。请只留下数字。")
                    .arg(excerpt(value));
            return QStringLiteral("这里只能填数字（例如 6），不要带单位或其他文字，否则设置会失效。请只留下数字。");
        }
    }
    return QString();
}

} // namespace

QString addressProblem(QStringView value)
{
    if (value.isEmpty())
        return QString();
    QStringList problems = attributeBreaks(value,
        QStringLiteral("地址里有英文引号或尖括号（\" < >），会提前结束页面代码里的属性，图片或链接随之失效。请删掉这些字符，或重新复制地址。"),
        QStringLiteral("地址里有换行或制表符，请删掉，让地址保持一行。"));
    if (value.front().isSpace() || value.back().isSpace())
        problems << QStringLiteral("地址前后有空格，请删掉地址前后的空格。");
    if (!isWebAddress(value.trimmed()))
        problems << QStringLiteral("这不是以 http:// 或 https:// 开头的完整网址，店铺页面用它找不到文件。请粘贴完整的地址，最好是 https:// 开头的。");
    return problems.join(QLatin1Char('\n'));
}

QString fieldProblem(FieldCheck check, QStringView value)
{
    switch (check) {
    case FieldCheck::None:
        return QString();
    case FieldCheck::Address:
        return addressProblem(value);
    case FieldCheck::Attribute:
        return attributeProblem(value);
    case FieldCheck::Text:
        return textProblem(value);
    case FieldCheck::Pixels:
    case FieldCheck::Number:
        return numberProblem(check, value);
    }
    return QString();
}
