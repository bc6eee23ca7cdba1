#pragma once

#include "controlarray.h"

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The settings window: language, display unit, mail type with its SMTP
// server, and the advisor's name. Written to "Zelvora.ini" when it closes.
class frmTaal : public QWidget {
    Q_OBJECT
public:
    explicit frmTaal(QWidget* parent = nullptr);

    ControlArray<QComboBox> cboTaal{"cboTaal"};
    ControlArray<QRadioButton> optTaal{"optTaal"};
    ControlArray<QLineEdit> txtTaal{"txtTaal"};
    ControlArray<QLabel> lbltaal{"lbltaal"};
    QGroupBox* fraTaal = nullptr;
    QPushButton* cmdTaal = nullptr;

    void cboTaal_Click(int index);
    void optTaal_Click(int index);
    void cmdTaal_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Load();
    void ReadMailSettings();
    void SaveSettings();
    void fitFrame();
    void placeControls();
    bool m_loading = true;
    qint16 m_loadedLanguage = 0; // language and unit in use when the window opened
    qint16 m_loadedUnit = 0;
};
