// The download of the price list: one HTTP GET through Qt Network that runs its own event
// loop, so the window that started it keeps handling its messages, reports its status
// and the bytes received, and ends on a cancel or after a time limit.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <string>

class QEventLoop;
class QNetworkAccessManager;
class QNetworkReply;

namespace zandor {

struct TDownloadResult {
    bool Ok = false;
    bool Cancelled = false;
    int Status = 0;   // the HTTP status, 0 when no answer came
    std::string Body; // the bytes of the body, as sent
    QString Error;    // what the user is told when Ok is false
};

class TPriceDownload : public QObject {
    Q_OBJECT
public:
    explicit TPriceDownload(QObject* parent = nullptr);
    ~TPriceDownload() override;

    // A request that takes longer than this is ended with a message.
    int TimeoutMs = 30000;

    // Fetches the address and returns when the answer is complete, failed, cancelled or
    // timed out. Only a status of 200 with a body that is not empty is a success.
    TDownloadResult Get(const QUrl& url);
    bool Running() const { return m_loop != nullptr; }

public slots:
    void Cancel();

signals:
    // The status text of the request: connecting, the server's status line.
    void StatusText(const QString& text);
    // The bytes received so far.
    void Received(qint64 bytes);

private:
    QNetworkAccessManager* m_manager;
    QEventLoop* m_loop = nullptr;
    QPointer<QNetworkReply> m_reply;
    bool m_cancelled = false;
};

// The request's headers, as the price-list servers expect them.
inline constexpr const char* PriceAccept = "text/html, */*";
inline constexpr const char* PriceUserAgent = "Mozilla/3.0 (compatible; Indy Library)";

} // namespace zandor
