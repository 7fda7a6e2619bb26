#include "acquisition/qt/CSonarSocket.h"

#include <QByteArray>

#include "document/CKeelbrookDoc.h"

CSonarSocket::CSonarSocket(QObject* parent) : QObject(parent) {}

CSonarSocket::~CSonarSocket() {
    close();
}

void CSonarSocket::connectTo(const std::string& host, std::uint16_t port) {
    close();
    socket_ = new QTcpSocket(this);
    socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(socket_, &QTcpSocket::connected, this, &CSonarSocket::OnConnected);
    connect(socket_, &QTcpSocket::readyRead, this, &CSonarSocket::OnReceive);
    connect(socket_, &QTcpSocket::disconnected, this, &CSonarSocket::OnClose);
    connect(socket_, &QTcpSocket::errorOccurred, this, &CSonarSocket::OnError);
    socket_->connectToHost(QString::fromStdString(host), port);
}

void CSonarSocket::send(const std::uint8_t* data, std::size_t len) {
    if (socket_ && connected_) {
        socket_->write(reinterpret_cast<const char*>(data), static_cast<qint64>(len));
    }
}

void CSonarSocket::close() {
    connected_ = false;
    if (!socket_) {
        return;
    }
    QTcpSocket* s = socket_;
    socket_ = nullptr;
    s->disconnect(this);
    s->abort();
    s->deleteLater();
}

void CSonarSocket::OnConnected() {
    connected_ = true;
    if (doc_) {
        doc_->OnConnectResult(true);
    }
}

void CSonarSocket::OnReceive() {
    if (!socket_ || !doc_) {
        return;
    }
    const QByteArray bytes = socket_->readAll();
    doc_->OnReceive(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                    static_cast<std::size_t>(bytes.size()));
}

void CSonarSocket::OnClose() {
    if (!connected_) {
        return;
    }
    connected_ = false;
    if (doc_) {
        doc_->OnClose();
    }
}

void CSonarSocket::OnError(QAbstractSocket::SocketError error) {
    if (!doc_) {
        return;
    }
    if (!connected_) {
        // Refused, unreachable, host not found: the attempt failed.
        close();
        doc_->OnConnectResult(false);
        return;
    }
    if (error == QAbstractSocket::RemoteHostClosedError) {
        return;  // disconnected follows, after the last bytes were read
    }
    const bool lost = !socket_ || socket_->state() != QAbstractSocket::ConnectedState;
    if (lost) {
        connected_ = false;  // the disconnected notification that may follow is this loss
    }
    doc_->OnReceiveError(lost);
}
