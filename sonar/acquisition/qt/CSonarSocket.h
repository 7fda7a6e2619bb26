#pragma once

#include <QObject>
#include <QPointer>
#include <QTcpSocket>

#include "acquisition/Ports.h"

class CKeelbrookDoc;

// The real TCP link to the head. A fresh socket per connection, so no notification of an old
// connection reaches the document after it was closed.
class CSonarSocket : public QObject, public SonarLink {
    Q_OBJECT
  public:
    explicit CSonarSocket(QObject* parent = nullptr);
    ~CSonarSocket() override;

    void setDocument(CKeelbrookDoc* doc) { doc_ = doc; }

    void connectTo(const std::string& host, std::uint16_t port) override;
    void send(const std::uint8_t* data, std::size_t len) override;
    void close() override;

  private slots:
    void OnConnected();
    void OnReceive();
    void OnClose();
    void OnError(QAbstractSocket::SocketError error);

  private:
    CKeelbrookDoc* doc_ = nullptr;
    QPointer<QTcpSocket> socket_;
    bool connected_ = false;
};
