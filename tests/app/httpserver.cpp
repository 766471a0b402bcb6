#include "httpserver.h"

#include <QTcpSocket>

namespace vistarel::app::test {

HttpServer::HttpServer()
{
    if (!m_server.listen(QHostAddress::LocalHost, 0))
        qFatal("cannot listen on 127.0.0.1");
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QUrl HttpServer::url(const QByteArray& path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2")
                    .arg(m_server.serverPort())
                    .arg(QString::fromLatin1(path)));
}

void HttpServer::answer(QTcpSocket* socket)
{
    // Requests are small GETs; wait until the header is complete.
    QByteArray data = socket->property("pending").toByteArray() + socket->readAll();
    if (!data.contains("\r\n\r\n")) {
        socket->setProperty("pending", data);
        return;
    }
    socket->setProperty("pending", QByteArray());
    const QList<QByteArray> lines = data.left(data.indexOf("\r\n\r\n")).split('\n');
    Request request;
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    request.method = first.value(0);
    request.path = first.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            request.headers[lines[i].left(colon).trimmed().toLower()] = lines[i].mid(colon + 1).trimmed();
    }
    m_requests << request;
    const Answer a = m_answers.value(request.path, Answer{404, QByteArray("not found")});
    QByteArray reply = "HTTP/1.1 " + QByteArray::number(a.status) +
                       (a.status == 200 ? " OK" : " Error") + "\r\nContent-Length: " +
                       QByteArray::number(a.body.size()) +
                       "\r\nContent-Type: application/octet-stream\r\nConnection: close\r\n\r\n" +
                       a.body;
    socket->write(reply);
    socket->disconnectFromHost();
}

} // namespace vistarel::app::test
