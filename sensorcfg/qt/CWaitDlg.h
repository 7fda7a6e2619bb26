#pragma once

#include "sensorcfg/qt/CSentrimDialog.h"

class QLabel;

// "Please Wait": what an operation is doing, the attempt count, and Cancel. Modeless; it stays
// usable while the main window is disabled.
class CWaitDlg : public CSentrimDialog {
    Q_OBJECT
  public:
    explicit CWaitDlg(QWidget* parent = nullptr);

    void setText(const QString& text);
    void setAttempt(const QString& text);
    QString text() const;
    QString attempt() const;

  signals:
    void cancelled();

  protected:
    // Escape and the window's close button count as Cancel; the owner closes the box.
    void reject() override;
    void closeEvent(QCloseEvent* e) override;

  private:
    QLabel* text_;
    QLabel* attempt_;
};
