#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QTest>

// Starts the real head simulator for one test and stops it afterwards.
class HeadsimProcess {
  public:
    HeadsimProcess(const QString& address, QStringList extraArgs) {
        QStringList args{"--bind", address, "--port", "4040", "--rate", "0"};
        args += extraArgs;
        process_.setProgram(QStringLiteral(HEADSIM_PATH));
        process_.setArguments(args);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start();
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 10000 && !listening_) {
            process_.waitForReadyRead(100);
            listening_ = process_.readAllStandardOutput().contains("headsim listening on");
        }
    }
    ~HeadsimProcess() {
        process_.terminate();
        if (!process_.waitForFinished(3000)) {
            process_.kill();
            process_.waitForFinished(3000);
        }
    }
    bool listening() const { return listening_; }

  private:
    QProcess process_;
    bool listening_ = false;
};

// Runs the event loop until the condition holds or the deadline passes.
template <typename Condition>
bool waitUntil(Condition condition, int deadlineMs = 15000) {
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > deadlineMs) {
            return false;
        }
        QTest::qWait(5);
    }
    return true;
}
