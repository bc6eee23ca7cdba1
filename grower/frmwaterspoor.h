#pragma once

#include "controlarray.h"

#include <QDialog>
#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The six trace elements of one line of the water window, in the display
// unit, shown modally. The caller sets the public members, shows the dialog
// and reads WaterSpoor back: a confirm leaves the entries the user changed in
// it, a cancel (Escape, closing) leaves it as the caller set it.
class frmWaterSpoor : public QDialog {
    Q_OBJECT
public:
    explicit frmWaterSpoor(QWidget* parent = nullptr);

    std::array<float, 7> WaterSpoor{}; // 1..6: Fe, Mn, Zn, B, Cu, Mo; 0 unused
    bool WaterReadonly = false;
    QString ExtraCaption;

    ControlArray<QLineEdit> txtWaterSpoor{"txtWaterSpoor"};
    ControlArray<QLabel> lblWaterSpoor{"lblWaterSpoor"};
    QPushButton* cmdWaterSpoor = nullptr;
    QFrame* fraWaterSpoor = nullptr;

signals:
    // The user changed the text of a box (also when the dialog is then cancelled).
    void edited();

protected:
    void done(int result) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    bool Form_KeyPress(QKeyEvent* event);
    void SetLangStrings();
    void VulVelden();
    void LeesVelden();
    void ZetAlleenLezen(bool flag);
    void cmdWaterSpoor_Click();
    void txtWaterSpoor_LostFocus(int index);

    std::array<QString, 6> m_shown; // the text each box showed last, put back over a refused entry
    std::array<bool, 6> m_typed{};  // the box holds a value the user typed
    bool m_closing = false;
};
