#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <map>
#include <memory>

#include "acquisition/Ports.h"

class CKeelbrookDoc;

class QtClock : public Clock {
  public:
    LocalTime localTime() override;
    std::uint32_t tickCount() override;
};

// One single-shot QTimer per id; expiry goes to the document.
class QtTimers : public QObject, public Timers {
    Q_OBJECT
  public:
    explicit QtTimers(QObject* parent = nullptr) : QObject(parent) {}
    void setDocument(CKeelbrookDoc* doc) { doc_ = doc; }
    void start(TimerId id, unsigned milliseconds) override;
    void stop(TimerId id) override;
    bool isActive(TimerId id) const;

  private:
    QTimer* timer(TimerId id);
    CKeelbrookDoc* doc_ = nullptr;
    std::map<TimerId, QTimer*> timers_;
};

class QtPrompts : public UserPrompts {
  public:
    explicit QtPrompts(QWidget* parent) : parent_(parent) {}
    std::optional<std::string> askConnection(const std::string& ipAddress) override;
    void message(const std::string& text, MessageIcon icon) override;
    std::optional<FileChoice> askOpenFile(const FileDialogRequest& request) override;
    std::optional<FileChoice> askSaveFile(const FileDialogRequest& request) override;

  private:
    std::optional<FileChoice> askFile(const FileDialogRequest& request, bool save);
    QWidget* parent_;
};

class QSoundEffect;

class QtSound : public Sound {
  public:
    QtSound();
    ~QtSound() override;
    void play(const std::string& path) override;

  private:
    std::unique_ptr<QSoundEffect> effect_;
};
