#pragma once

#include "display/SideLayout.h"

// How far a ping reaches and how far the vessel moves between pings, in the units the
// waterfall needs.
namespace ping_geometry {
constexpr double kKnotsToMetresPerMs = 0.0005144444444400001;
// pi as the beam and blending formulas have always used it.
constexpr double kPi = 3.1415926;

// Horizontal beam width in degrees of an operating mode; 0 for an unknown mode.
double beamWidthDegrees(int mode);

// Image pixels per metre across track; 0 for an unknown layout or a non-positive range.
double pixelsPerMetre(int imageWidth, int sideLayout, int rangeMetres);

// Metres travelled between two pings.
double distancePerPing(double intervalMs, double speedKnots);

// How many consecutive pings see the same point of the seabed, at most maxLines; 0 when the
// vessel does not move forward.
int pingsPerSeabedPoint(int rangeMetres, double beamDegrees, double distancePerPingM, int maxLines);
}  // namespace ping_geometry
