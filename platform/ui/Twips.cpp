#include "ui/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace ui {

namespace {
QScreen* screenOf(const QWidget* w) {
    if (w && w->screen())
        return w->screen();
    return QGuiApplication::primaryScreen();
}

double dpiX(const QWidget* w) {
    const QScreen* s = screenOf(w);
    return s && s->logicalDotsPerInchX() > 0 ? s->logicalDotsPerInchX() : 96.0;
}

double dpiY(const QWidget* w) {
    const QScreen* s = screenOf(w);
    return s && s->logicalDotsPerInchY() > 0 ? s->logicalDotsPerInchY() : 96.0;
}
} // namespace

int twipsToPixelsX(double twips, const QWidget* w) {
    return int(std::lround(twips * dpiX(w) / kTwipsPerInch));
}

int twipsToPixelsY(double twips, const QWidget* w) {
    return int(std::lround(twips * dpiY(w) / kTwipsPerInch));
}

double pixelsToTwipsX(int pixels, const QWidget* w) {
    return pixels * kTwipsPerInch / dpiX(w);
}

double pixelsToTwipsY(int pixels, const QWidget* w) {
    return pixels * kTwipsPerInch / dpiY(w);
}

QRect screenRect(const QWidget* w) {
    const QScreen* s = screenOf(w);
    return s ? s->geometry() : QRect(0, 0, 1024, 768);
}

} // namespace ui
