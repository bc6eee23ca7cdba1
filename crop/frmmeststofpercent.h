#pragma once

#include "controlarray.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The share, in per cent, of an element's need that a second source covers
// (the second phosphorus source and the second iron source of the fertiliser
// choice). The caller sets ElementIndex and ElementPerc, shows the dialog
// modally and reads ElementPerc back: a confirmed value from 0 to 100 replaces
// it, any other way out leaves it as the caller set it.
class frmMeststofPercent : public QDialog {
    Q_OBJECT
public:
    explicit frmMeststofPercent(QWidget* parent = nullptr);

    qint16 ElementIndex = 0; // 100 × page + row: 8 phosphorus, 101 iron
    float ElementPerc = 0;

    QLineEdit* txtMeststofPercent = nullptr;
    ControlArray<QLabel> lblMeststofPercent{"lblMeststofPercent"};
    QPushButton* cmdMeststofPercent = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void SetLangStrings();
    void cmdMeststofPercent_Click();
    void txtMeststofPercent_GotFocus();
    qint32 tekstBasis() const { return 32100000 + 100 * ElementIndex; }
};
