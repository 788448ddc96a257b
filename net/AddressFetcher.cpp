#include "AddressFetcher.h"

#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

namespace {

// Enough for the header of any audio format we recognise.
constexpr qint64 HeadBytes = 64;

QString failureReason(const QNetworkReply* reply)
{
    switch (reply->error()) {
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("服务器拒绝连接");
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("服务器中断了连接");
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("找不到服务器 %1").arg(reply->url().host());
    case QNetworkReply::TimeoutError:
        return QStringLiteral("连接超时");
    // Refused for the owner's safety, not by the server: Qt's text would be English.
    case QNetworkReply::InsecureRedirectError:
        return QStringLiteral("被转到了不安全的 http 地址");
    case QNetworkReply::TooManyRedirectsError:
        return QStringLiteral("转向次数过多");
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("TLS 安全连接失败：%1").arg(reply->errorString());
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        return QStringLiteral("网络不可用");
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
    case QNetworkReply::ProxyAuthenticationRequiredError:
    case QNetworkReply::UnknownProxyError:
        return QStringLiteral("无法通过代理服务器连接");
    case QNetworkReply::ProtocolFailure:
        return QStringLiteral("服务器的回答不合规范");
    default:
        // Qt's own text has no Chinese for the rest; the number still helps.
        return QStringLiteral("连接失败（错误代码 %1）").arg(int(reply->error()));
    }
}

} // namespace

AddressFetcher::AddressFetcher(Limits limits, QObject* parent)
    : QObject(parent)
    , m_limits(limits)
    , m_network(new QNetworkAccessManager(this))
{
}

void AddressFetcher::fetch(const QList<AddressRequest>& requests)
{
    // Each fetch starts afresh: old results would count towards the new total.
    cancel();
    m_results.clear();
    // Results are kept by address: a repeated one would never be counted
    // twice, and finished() would never come.
    m_queue = distinctRequests(requests);
    m_total = m_queue.size();
    emit progress(0, int(m_total));
    for (int i = 0; i < m_limits.parallel; ++i)
        startNext();
    if (m_total == 0)
        emit finished();
}

void AddressFetcher::cancel()
{
    m_queue.clear();
    const QList<QNetworkReply*> replies = m_active.keys();
    m_active.clear();
    for (QNetworkReply* reply : replies) {
        reply->abort();
        reply->deleteLater();
    }
}

void AddressFetcher::startNext()
{
    if (m_queue.isEmpty())
        return;
    const AddressRequest next = m_queue.takeFirst();
    QNetworkRequest request { QUrl(next.address) };
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::AuthenticationReuseAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = m_network->get(request);
    m_active.insert(reply, { next.address, next.kind == AddressKind::Image });

    // Ends the transfer with the reason the report gives; the abort finishes it.
    const auto end = [this, reply](const QString& failure) {
        if (const auto it = m_active.find(reply); it != m_active.end()) {
            it->failure = failure;
            reply->abort();
        }
    };
    const QString tooLarge = QStringLiteral("文件超过 %1 MB").arg(m_limits.bytes >> 20);
    // A body announced larger than the cap is refused before it is read.
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply, end, tooLarge] {
        if (reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > m_limits.bytes)
            end(tooLarge);
    });
    connect(reply, &QNetworkReply::readyRead, this, [this, reply, end, tooLarge] {
        if (!m_active.contains(reply))
            return;
        if (!m_active.value(reply).image && reply->bytesAvailable() >= HeadBytes)
            conclude(reply, true);
        else if (reply->bytesAvailable() > m_limits.bytes)
            end(tooLarge);
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { conclude(reply, false); });
    QTimer::singleShot(m_limits.time, reply,
        [this, end] { end(QStringLiteral("%1 秒内没有完成").arg(double(m_limits.time.count()) / 1000)); });
}

void AddressFetcher::conclude(QNetworkReply* reply, bool early)
{
    if (!m_active.contains(reply))
        return;
    // Gone from the list first: the abort below finishes the reply again.
    const Transfer transfer = m_active.take(reply);

    FetchResult result;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    // Errors below ContentAccessDenied are the network's; from there on they
    // restate an HTTP status, which the verdict judges itself.
    const bool networkFailed = reply->error() != QNetworkReply::NoError
        && (reply->error() < QNetworkReply::ContentAccessDenied || !status.isValid());
    if (!transfer.failure.isEmpty()) {
        result.failure = transfer.failure;
    } else if (!early && networkFailed) {
        result.failure = failureReason(reply);
    } else {
        result.status = status.toInt();
        result.contentType = reply->rawHeader("Content-Type");
        const QByteArray body = early ? reply->peek(HeadBytes) : reply->readAll();
        result.head = body.left(HeadBytes);
        if (transfer.image) {
            if (const QImage image = QImage::fromData(body); !image.isNull())
                result.imageSize = image.size();
        }
    }
    m_results.insert(transfer.address, result);
    if (early)
        reply->abort();
    reply->deleteLater();

    emit progress(int(m_results.size()), int(m_total));
    if (m_results.size() == m_total)
        emit finished();
    else
        startNext();
}
