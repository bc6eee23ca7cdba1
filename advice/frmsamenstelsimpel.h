#pragma once

#include "stepwindow.h"

// The simple composition window of menu tool mnu71. It has nothing of its
// own: a window with the step's stop button, which only the menu opens.
class frmSamenstelSimpel : public StepWindow {
    Q_OBJECT
public:
    explicit frmSamenstelSimpel(QWidget* parent = nullptr);

    QString menuToolKey() const override { return "mnu71"; }
};
