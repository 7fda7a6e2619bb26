#pragma once

#include <QElapsedTimer>
#include <QStringList>
#include <QTest>

#include <string>
#include <vector>

#include "support/ChildProcess.h"

// Starts the real head simulator for one test and stops it afterwards.
class HeadsimProcess {
  public:
    HeadsimProcess(const QString& address, const QStringList& extraArgs) {
        std::vector<std::string> args{"--bind", address.toStdString(), "--port", "4040", "--rate",
                                      "0"};
        for (const QString& a : extraArgs) {
            args.push_back(a.toStdString());
        }
        process_.start(HEADSIM_PATH, args, ChildProcess::Stderr::Inherited);
        const auto line = process_.readLine(ChildProcess::Stream::Out, 10000);
        listening_ = line && line->find("headsim listening on") != std::string::npos;
    }
    bool listening() const { return listening_; }

  private:
    ChildProcess process_;
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
