#include "ui/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace Twips {

double perPixel(const QWidget *w)
{
    const int dpi = w ? w->logicalDpiX() : 96;
    return 1440.0 / (dpi > 0 ? dpi : 96);
}

int toPixels(double twips, const QWidget *w)
{
    return int(std::lround(twips / perPixel(w)));
}

double fromPixels(int pixels, const QWidget *w)
{
    return pixels * perPixel(w);
}

} // namespace Twips

QRect OnScreen(const QRect &wanted)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return wanted;
    for (const QScreen *s : screens) {
        if (s->availableGeometry().contains(wanted))
            return wanted;
    }
    const QScreen *best = QGuiApplication::screenAt(wanted.center());
    if (!best)
        best = QGuiApplication::primaryScreen();
    const QRect area = best->availableGeometry();
    QRect r = wanted;
    r.setWidth(std::min(r.width(), area.width()));
    r.setHeight(std::min(r.height(), area.height()));
    r.moveLeft(std::clamp(r.left(), area.left(), area.right() - r.width() + 1));
    r.moveTop(std::clamp(r.top(), area.top(), area.bottom() - r.height() + 1));
    return r;
}
