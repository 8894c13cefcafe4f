#pragma once

#include <QRect>

class QWidget;

// Window geometry is kept in twips: 1440 per inch, so 15 per pixel at 96 dots per inch.
namespace Twips {
double perPixel(const QWidget *w);
int toPixels(double twips, const QWidget *w);
double fromPixels(int pixels, const QWidget *w);
} // namespace Twips

// Moves and shrinks a window rectangle so it lies on one of the available screens.
QRect OnScreen(const QRect &wanted);
