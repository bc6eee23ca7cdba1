#pragma once

#include "mestpreflijst.h"
#include "stepwindow.h"

class QListWidget;

// The fertiliser preference list: every fertiliser of the reference data
// with a tick, switched off to leave it out of the fertiliser searches. The
// list is stored when the window closes, whichever way, without a question;
// forward and back are off.
class frmMestPref : public StepWindow {
    Q_OBJECT
public:
    explicit frmMestPref(QWidget* parent = nullptr);

    QString menuToolKey() const override { return "mnu1"; }

    QListWidget* lstMestFref = nullptr;                   // item data: the fertiliser code
    ControlArray<QPushButton> cmdMestPref{"cmdMestPref"}; // 0 all off, 1 all on
    ControlArray<QFrame> fraMestPref{"fraMestPref"};

protected:
    void Form_Activate() override;
    bool queryUnload() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Load();
    void SetLangStrings();
    void FillPrefList();
    void cmdMestPref_Click(int index);
    QList<MestPref> Lijst() const;
    bool SavePrefList();

    QList<MestPref> m_opgeslagen; // as read or last stored: closing without a change writes nothing
    bool m_loaded = false;
};
