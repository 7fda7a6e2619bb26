#pragma once

#include <QFont>

#include "beam/BeamDrawing.h"
#include "beam/BeamPanel.h"

class QPainter;

// Draws the lists of a BeamDrawing (and the panel's texts) exactly as given.
class BeamPainter {
  public:
    void paint(QPainter& p, const beam::BeamDrawing& d);
    void paintPanelTexts(QPainter& p, const beam::PanelLayout& panel, beam::Colour colour);

  private:
    void paintFan(QPainter& p, const beam::BeamDrawing& d);
    void paintStroke(QPainter& p, const beam::Stroke& s);
    void paintLabel(QPainter& p, const beam::Label& l, beam::Colour colour, beam::Colour fill);
    QFont& font(int pixels);

    QFont font_;
};
