#include "AddressCheck.h"

#include <QStringList>

#include <algorithm>

namespace {

QString pixels(QSize size)
{
    return QStringLiteral("%1×%2").arg(size.width()).arg(size.height());
}

// Audio by its content type, or by the header of an MP3, WMA, WAV or MIDI
// file at the start of `head`.
bool looksLikeAudio(const QByteArray& contentType, const QByteArray& head)
{
    if (contentType.trimmed().toLower().startsWith("audio/"))
        return true;
    static const QByteArray asf = QByteArray::fromHex("3026b2758e66cf11a6d900aa0062ce6c");
    const auto byte = [&head](int i) { return i < head.size() ? quint8(head.at(i)) : 0; };
    // An MPEG audio frame starts with 11 set bits and a layer other than 0.
    const bool mpegFrame = byte(0) == 0xff && (byte(1) & 0xe0) == 0xe0 && (byte(1) & 0x06) != 0;
    return head.startsWith("ID3") || mpegFrame || head.startsWith(asf)
        || (head.startsWith("RIFF") && head.mid(8, 4) == "WAVE") || head.startsWith("MThd");
}

} // namespace

Verdict judgeAddress(const QString& address, AddressKind kind, QSize laidOut, const FetchResult& result)
{
    if (!result.failure.isEmpty())
        return { QStringLiteral("无法访问（%1）").arg(result.failure), Severity::Unusable };
    if (result.status >= 400)
        return { QStringLiteral("无法访问（HTTP %1）").arg(result.status), Severity::Unusable };

    Verdict verdict { QStringLiteral("正常"), Severity::Fine };
    const QSize size = result.imageSize;
    const bool widthOnly = laidOut.height() == 0;
    const bool sizeFits = !laidOut.isValid()
        || (size.width() == laidOut.width() && (widthOnly || size.height() == laidOut.height()));
    if (kind == AddressKind::Audio && !looksLikeAudio(result.contentType, result.head))
        verdict = { QStringLiteral("不是音频"), Severity::Unusable };
    else if (kind == AddressKind::Image && !size.isValid())
        verdict = { QStringLiteral("不是图片"), Severity::Unusable };
    else if (kind == AddressKind::Image && !sizeFits)
        verdict = { QStringLiteral("尺寸不符 %1，应为%2")
                        .arg(pixels(size), widthOnly ? QStringLiteral("宽 %1").arg(laidOut.width())
                                                     : QLatin1Char(' ') + pixels(laidOut)),
                    Severity::WrongSize };
    else if (kind == AddressKind::Image)
        verdict.text += QLatin1Char(' ') + pixels(size);
    // The shop's pages are served over https, where browsers block or flag
    // what comes over plain http.
    if (address.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)) {
        verdict.text += QStringLiteral("（http 地址，店铺页面为 https，建议改用 https）");
        verdict.severity = std::max(verdict.severity, Severity::PlainHttp);
    }
    return verdict;
}

QString reportText(const QList<ReportLine>& lines)
{
    QList<ReportLine> ordered = lines;
    std::stable_sort(ordered.begin(), ordered.end(), [](const ReportLine& a, const ReportLine& b) {
        return a.verdict.severity > b.verdict.severity;
    });
    QStringList text;
    for (const ReportLine& line : ordered)
        text << line.caption + QStringLiteral("：") + line.verdict.text;
    return text.join(QLatin1Char('\n'));
}

QList<AddressRequest> distinctRequests(const QList<AddressRequest>& requests)
{
    QList<AddressRequest> distinct;
    QHash<QString, qsizetype> at;
    for (const AddressRequest& request : requests) {
        if (const auto seen = at.constFind(request.address); seen != at.cend()) {
            if (request.kind == AddressKind::Image)
                distinct[*seen].kind = AddressKind::Image;
            continue;
        }
        at.insert(request.address, distinct.size());
        distinct.append(request);
    }
    return distinct;
}

QList<AddressRequest> plannedRequests(const QList<CheckedField>& fields)
{
    QList<AddressRequest> requests;
    for (const CheckedField& field : fields) {
        if (!field.address.isEmpty())
            requests.append({ field.address, field.kind });
    }
    return requests;
}

AddressReport addressReport(
    const QList<CheckedField>& fields, const QHash<QString, FetchResult>& results)
{
    QList<ReportLine> lines;
    bool hasProblems = false;
    bool noneAnswered = true;
    for (const CheckedField& field : fields) {
        if (field.address.isEmpty())
            continue;
        const FetchResult result = results.value(field.address);
        const Verdict verdict = judgeAddress(field.address, field.kind, field.laidOut, result);
        hasProblems = hasProblems || verdict.severity != Severity::Fine;
        noneAnswered = noneAnswered && !result.failure.isEmpty();
        lines.append({ field.caption, verdict });
    }
    const QString text = reportText(lines);
    if (!lines.isEmpty() && noneAnswered)
        return { QStringLiteral("所有地址都无法访问：请检查电脑是否已联网\n") + text, hasProblems };
    return { text, hasProblems };
}
