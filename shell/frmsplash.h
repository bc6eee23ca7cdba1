#pragma once

#include "controlarray.h"

#include <QDialog>

class QLabel;
class QTimer;

// The splash window: Enter goes on to the main window, Esc ends the program,
// and so does a minute without either.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    // interval: the time-out in ms (60000; tests shorten it).
    explicit frmSplash(int interval = 60000, QWidget* parent = nullptr);

    ControlArray<QLabel> lblSplash{"lblSplash"};
    QTimer* tmrSpash = nullptr;
    // False when another instance runs: the program is ending.
    bool loaded() const { return m_loaded; }

    void Form_KeyPress(int keyAscii);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void continueToMainWindow();
    bool m_loaded = false;
};

// Shows the main window (made once per run).
void ShowMainWindow();
