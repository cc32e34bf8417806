// A small web server on the loopback interface for the download tests: it reads one
// request and answers it the way it is told (a status and a body, the body in pieces, a
// connection closed early, or no answer at all), and keeps the request it read.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace zandor::test {

class TTestHttpServer {
public:
    enum class TMode {
        Answer,      // the status line, headers and the whole body
        Pieces,      // the body in several writes with pauses between them
        CloseEarly,  // a Content-Length longer than the part of the body sent
        CloseAtOnce, // the connection closed before any answer
        Silent,      // the request is read and never answered
    };
    TMode Mode = TMode::Answer;
    int Status = 200;
    QByteArray Reason = "OK";
    QByteArray Body;
    QByteArray Request; // the last request's head, as read
    int Requests = 0;

    TTestHttpServer() {
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] { accept(); });
        m_server.listen(QHostAddress::LocalHost, 0);
    }
    ~TTestHttpServer() {
        for (QTcpSocket* socket : m_sockets)
            if (socket)
                socket->abort();
        m_server.close();
    }
    quint16 Port() const { return m_server.serverPort(); }
    QString Host() const { return QStringLiteral("http://127.0.0.1:%1").arg(Port()); }
    QString Url() const { return Host() + QStringLiteral("/pricelists/current-zandor"); }

private:
    void accept() {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            m_sockets << socket;
            auto* head = new QByteArray;
            QObject::connect(socket, &QTcpSocket::disconnected, socket, [socket, head] {
                delete head;
                socket->deleteLater();
            });
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, head] {
                *head += socket->readAll();
                if (!head->contains("\r\n\r\n") || head->isEmpty())
                    return;
                Request = *head;
                head->clear();
                ++Requests;
                answer(socket);
            });
        }
    }
    QByteArray statusAndHeaders(qsizetype length) const {
        return "HTTP/1.0 " + QByteArray::number(Status) + " " + Reason +
               "\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(length) +
               "\r\n\r\n";
    }
    void answer(QTcpSocket* socket) {
        switch (Mode) {
        case TMode::Answer:
            socket->write(statusAndHeaders(Body.size()) + Body);
            socket->disconnectFromHost();
            break;
        case TMode::Pieces: {
            socket->write(statusAndHeaders(Body.size()));
            const qsizetype piece = std::max<qsizetype>(1, Body.size() / 5 + 1);
            int pause = 0;
            for (qsizetype at = 0; at < Body.size(); at += piece) {
                pause += 20;
                const QByteArray part = Body.mid(at, piece);
                QPointer<QTcpSocket> alive(socket);
                QTimer::singleShot(pause, socket, [alive, part] {
                    if (alive)
                        alive->write(part);
                });
            }
            QTimer::singleShot(pause + 20, socket, [socket] { socket->disconnectFromHost(); });
            break;
        }
        case TMode::CloseEarly:
            socket->write(statusAndHeaders(Body.size() * 2) + Body);
            socket->disconnectFromHost();
            break;
        case TMode::CloseAtOnce:
            socket->abort();
            break;
        case TMode::Silent:
            break;
        }
    }

    QTcpServer m_server;
    QList<QPointer<QTcpSocket>> m_sockets;
};

} // namespace zandor::test
