// Where the main window opens: within the available area of its screen (a panel or a large
// scaling never pushes its buttons off the screen), where and as large as it was left.
#pragma once

#include <QRect>

class QSettings;
class QWidget;

namespace gr::ui {

// The wanted rectangle moved, and shrunk where it must be, to lie within the available area;
// a rectangle without a place (an invalid or empty position) is centred there.
QRect FitWithin(const QRect& wanted, const QRect& available);
// Places the window as the settings remember it (size, place, maximised) or, the first time,
// at the preferred size centred on its screen; either way within the available area.
void RestorePlacement(QWidget& window, const QSettings& settings, const QSize& preferred);
void SavePlacement(const QWidget& window, QSettings& settings);

}  // namespace gr::ui
