#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>

namespace gr::ui {

namespace {

constexpr const char* kGeometryKey = "frmMain/geometry";

QRect AvailableArea(const QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 720);
}

}  // namespace

QRect FitWithin(const QRect& wanted, const QRect& available) {
    const int width = std::min(wanted.width(), available.width());
    const int height = std::min(wanted.height(), available.height());
    if (!wanted.isValid() || wanted.topLeft() == QPoint(-1, -1)) {
        QRect centred(0, 0, width, height);
        centred.moveCenter(available.center());
        return centred;
    }
    const int left = std::clamp(wanted.left(), available.left(), available.right() - width + 1);
    const int top = std::clamp(wanted.top(), available.top(), available.bottom() - height + 1);
    return {left, top, width, height};
}

void RestorePlacement(QWidget& window, const QSettings& settings, const QSize& preferred) {
    const QByteArray saved = settings.value(QString::fromLatin1(kGeometryKey)).toByteArray();
    if (!saved.isEmpty() && window.restoreGeometry(saved)) {
        if (!window.isMaximized() && !window.isFullScreen())
            window.setGeometry(FitWithin(window.geometry(), AvailableArea(window)));
        return;
    }
    window.setGeometry(FitWithin(QRect(QPoint(-1, -1), preferred), AvailableArea(window)));
}

void SavePlacement(const QWidget& window, QSettings& settings) {
    settings.setValue(QString::fromLatin1(kGeometryKey), window.saveGeometry());
}

}  // namespace gr::ui
