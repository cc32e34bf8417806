#include "maint/UPriceDownload.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace zandor {

TPriceDownload::TPriceDownload(QObject* parent)
    : QObject(parent), m_manager(new QNetworkAccessManager(this)) {}

TPriceDownload::~TPriceDownload() {
    Cancel();
}

void TPriceDownload::Cancel() {
    m_cancelled = true;
    if (m_reply)
        m_reply->abort();
}

TDownloadResult TPriceDownload::Get(const QUrl& url) {
    TDownloadResult result;
    if (m_loop) {
        result.Error = QStringLiteral("A download is already running.");
        return result;
    }
    if (!url.isValid() || url.scheme() != QLatin1String("http") || url.host().isEmpty()) {
        result.Error = QStringLiteral("Not an HTTP address: %1").arg(url.toString());
        return result;
    }
    m_cancelled = false;
    QNetworkRequest request(url);
    request.setRawHeader("Accept", PriceAccept);
    request.setRawHeader("User-Agent", PriceUserAgent);
    // One request on its own connection, closed after the answer, as HTTP/1.0 has it.
    request.setRawHeader("Connection", "close");
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    emit StatusText(QStringLiteral("Connecting to %1").arg(url.authority()));

    QNetworkReply* reply = m_manager->get(request);
    m_reply = reply;
    reply->setReadBufferSize(1024);
    QByteArray body;
    bool timedOut = false;
    QEventLoop loop;
    m_loop = &loop;
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const QString reason =
            reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        emit StatusText(QStringLiteral("HTTP %1 %2").arg(status).arg(reason).trimmed());
    });
    connect(reply, &QNetworkReply::readyRead, this, [this, reply, &body] {
        body += reply->readAll();
        emit Received(body.size());
    });
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(TimeoutMs);
    if (!reply->isFinished())
        loop.exec();
    timer.stop();
    m_loop = nullptr;
    body += reply->readAll();

    result.Status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QString reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    if (timedOut) {
        result.Error = QStringLiteral("The price list server did not answer within %1 s.")
                           .arg(TimeoutMs / 1000.0);
    } else if (m_cancelled) {
        result.Cancelled = true;
        result.Error = QStringLiteral("The download was cancelled.");
    } else if (reply->error() != QNetworkReply::NoError && result.Status == 0) {
        result.Error = QStringLiteral("The price list could not be downloaded from %1: %2")
                           .arg(url.toString(), reply->errorString());
    } else if (result.Status != 200) {
        result.Error = QStringLiteral("The price list server answered %1 %2 for %3")
                           .arg(result.Status)
                           .arg(reason, url.toString());
    } else if (reply->error() != QNetworkReply::NoError) {
        // The answer began but broke off: what came is not the whole list.
        result.Error =
            QStringLiteral("The price list download broke off: %1").arg(reply->errorString());
    } else if (body.isEmpty()) {
        result.Error = QStringLiteral("The price list server sent an empty price list.");
    } else {
        result.Ok = true;
        result.Body.assign(body.constData(), static_cast<std::size_t>(body.size()));
    }
    m_reply = nullptr;
    delete reply;
    return result;
}

} // namespace zandor
