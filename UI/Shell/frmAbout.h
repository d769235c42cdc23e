// The about window: whom to contact with questions or comments.
#pragma once

#include <QLabel>

#include "ChildWindow.h"

namespace gr::ui {

class frmAbout : public ChildWindow {
    Q_OBJECT
  public:
    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* lblWel1;
    QLabel* lblWel2;
    QLabel* lblWel3;
};

}  // namespace gr::ui
