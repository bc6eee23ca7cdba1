#pragma once

#include "controlarray.h"

#include <QDialog>

class QListWidget;
class QPushButton;

// The choice of grower database at start: every "*T.mdb" of the program's
// directory, or a new one copied from the current one.
class frmSelectTuinder : public QDialog {
    Q_OBJECT
public:
    explicit frmSelectTuinder(QWidget* parent = nullptr);

    // The chosen file name without directory; empty until a choice is made.
    QString FileName() const { return m_fileName; }

    QListWidget* lstSelectTuinder = nullptr;
    ControlArray<QPushButton> cmdSelectTuinder{"cmdSelectTuinder"};

    void cmdSelectTuinder_Click(int index);
    void refreshList();

private:
    void KiesBestand();
    void SetTeksten();
    void newDatabase();

    QString m_fileName;
};
