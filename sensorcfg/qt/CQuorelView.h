#pragma once

#include <QAbstractScrollArea>

class CQuorelDoc;
class QPrinter;

// The summary of the configuration in a scrolling window, and on printed pages.
class CQuorelView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit CQuorelView(CQuorelDoc& doc, QWidget* parent = nullptr);

    // After the configuration or the title changed.
    void refresh();
    // Prints every page of the summary; false when the printer could not start.
    bool print(QPrinter& printer) const;

  protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

  private:
    void updateScrollRanges();
    CQuorelDoc& doc_;
};
