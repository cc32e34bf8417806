// The price list download against a real web server on the loopback interface.
#include "maint/UPriceDownload.h"
#include "tests/maint/TestHttpServer.h"

#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zandor;
using namespace zandor::test;
using TMode = TTestHttpServer::TMode;

TEST(PriceDownload, FetchesTheListWithTheExpectedRequest) {
    TTestHttpServer server;
    server.Body = "card name  |  price\r\nCrag Wyrm (SV)    |   7.50 ,\r\n";
    TPriceDownload download;
    QStringList status;
    QObject::connect(&download, &TPriceDownload::StatusText,
                     [&](const QString& text) { status << text; });
    QSignalSpy received(&download, &TPriceDownload::Received);
    const TDownloadResult result = download.Get(QUrl(server.Url()));
    ASSERT_TRUE(result.Ok) << result.Error.toStdString();
    EXPECT_EQ(result.Status, 200);
    EXPECT_EQ(result.Body, server.Body.toStdString());
    EXPECT_EQ(server.Requests, 1);
    EXPECT_TRUE(server.Request.startsWith("GET /pricelists/current-zandor HTTP/1."))
        << server.Request.toStdString();
    EXPECT_TRUE(server.Request.contains("\r\nAccept: text/html, */*\r\n"));
    EXPECT_TRUE(
        server.Request.contains("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"));
    EXPECT_TRUE(server.Request.contains("\r\nConnection: close\r\n"));
    ASSERT_FALSE(received.isEmpty());
    EXPECT_EQ(received.last().at(0).toLongLong(), server.Body.size());
    EXPECT_TRUE(status.contains("HTTP 200 OK")) << status.join('|').toStdString();
    EXPECT_FALSE(download.Running());
}

TEST(PriceDownload, ABodyInPiecesArrivesWhole) {
    TTestHttpServer server;
    server.Mode = TMode::Pieces;
    for (int i = 0; i < 200; ++i)
        server.Body += "Entry number " + QByteArray::number(i) + " |   1.00 , 0.50 , 2.00\r\n";
    TPriceDownload download;
    QSignalSpy received(&download, &TPriceDownload::Received);
    const TDownloadResult result = download.Get(QUrl(server.Url()));
    ASSERT_TRUE(result.Ok) << result.Error.toStdString();
    EXPECT_EQ(result.Body, server.Body.toStdString());
    // The count grows as the pieces come.
    ASSERT_GE(received.size(), 3);
    qint64 last = 0;
    for (const QList<QVariant>& signal : received) {
        EXPECT_GT(signal.at(0).toLongLong(), last);
        last = signal.at(0).toLongLong();
    }
    EXPECT_EQ(last, server.Body.size());
}

TEST(PriceDownload, FailuresAreMessagesAndNoBody) {
    struct Case {
        const char* What;
        TMode Mode;
        int Status;
        QByteArray Body;
        int ExpectedStatus;
        const char* InError;
    };
    const std::vector<Case> cases{
        {"not found", TMode::Answer, 404, "no such list", 404, "404"},
        {"a server error", TMode::Answer, 500, "", 500, "500"},
        {"an empty list", TMode::Answer, 200, "", 200, "empty"},
        {"a connection closed early", TMode::CloseEarly, 200, "Crag Wyrm |  7.50 ,", 200,
         "broke off"},
        {"a connection closed before the answer", TMode::CloseAtOnce, 200, "", 0,
         "could not be downloaded"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TTestHttpServer server;
        server.Mode = c.Mode;
        server.Status = c.Status;
        server.Reason = c.Status == 404 ? "Not Found" : c.Status == 500 ? "Server Error" : "OK";
        server.Body = c.Body;
        TPriceDownload download;
        const TDownloadResult result = download.Get(QUrl(server.Url()));
        EXPECT_FALSE(result.Ok);
        EXPECT_FALSE(result.Cancelled);
        EXPECT_TRUE(result.Body.empty());
        EXPECT_EQ(result.Status, c.ExpectedStatus);
        EXPECT_TRUE(result.Error.contains(QLatin1String(c.InError))) << result.Error.toStdString();
    }
}

TEST(PriceDownload, ARefusedConnection) {
    quint16 port = 0;
    {
        TTestHttpServer closed;
        port = closed.Port();
    }
    TPriceDownload download;
    const TDownloadResult result = download.Get(
        QUrl(QStringLiteral("http://127.0.0.1:%1/pricelists/current-zandor").arg(port)));
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Status, 0);
    EXPECT_TRUE(result.Error.contains(QLatin1String("could not be downloaded")))
        << result.Error.toStdString();
}

TEST(PriceDownload, ATimeLimitAndACancelEndASilentServer) {
    TTestHttpServer server;
    server.Mode = TMode::Silent;
    TPriceDownload download;
    download.TimeoutMs = 300;
    TDownloadResult result = download.Get(QUrl(server.Url()));
    EXPECT_FALSE(result.Ok);
    EXPECT_FALSE(result.Cancelled);
    EXPECT_TRUE(result.Error.contains(QLatin1String("did not answer within 0.3 s")))
        << result.Error.toStdString();
    EXPECT_EQ(server.Requests, 1);

    download.TimeoutMs = 30000;
    QTimer::singleShot(100, &download, &TPriceDownload::Cancel);
    result = download.Get(QUrl(server.Url()));
    EXPECT_FALSE(result.Ok);
    EXPECT_TRUE(result.Cancelled);
    EXPECT_FALSE(download.Running());
}

TEST(PriceDownload, OnlyHttpAddresses) {
    TPriceDownload download;
    for (const char* address : {"ftp://127.0.0.1/list", "not an address", "http://"}) {
        const TDownloadResult result = download.Get(QUrl(QString::fromLatin1(address)));
        EXPECT_FALSE(result.Ok) << address;
        EXPECT_FALSE(result.Error.isEmpty()) << address;
    }
}
