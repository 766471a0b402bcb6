#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <QUrl>

namespace vistarel::app::test {

// A small HTTP/1.1 server on 127.0.0.1 for the update tests: serves fixed answers by
// path and records the requests it got.
class HttpServer : public QObject
{
    Q_OBJECT

public:
    struct Answer
    {
        int status = 200;
        QByteArray body;
    };
    struct Request
    {
        QByteArray method;
        QByteArray path;
        QHash<QByteArray, QByteArray> headers; // lower-case names
    };

    HttpServer();
    void serve(const QByteArray& path, Answer answer) { m_answers[path] = std::move(answer); }
    QUrl url(const QByteArray& path) const;
    const QList<Request>& requests() const { return m_requests; }

private:
    void answer(QTcpSocket* socket);

    QTcpServer m_server;
    QHash<QByteArray, Answer> m_answers;
    QList<Request> m_requests;
};

} // namespace vistarel::app::test
