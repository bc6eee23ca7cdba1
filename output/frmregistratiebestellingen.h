#pragma once

#include "controlarray.h"
#include "registratie.h"

#include <QDate>
#include <QDialog>
#include <QList>

class QPushButton;
class QTableView;
class RegistratieModel;

// The orders of one fertiliser in the order register's period, shown
// modally from a line of the register. The caller sets Code_meststof and the
// period; the user may delete an order there (all its fertilisers go with
// it) and closes the window with Close or Escape.
class frmRegistratieBestellingen : public QDialog {
    Q_OBJECT
public:
    explicit frmRegistratieBestellingen(QWidget* parent = nullptr);

    qint32 Code_meststof = 0;
    QDate Date_start;
    QDate Date_end;

    ControlArray<QPushButton> cmdRegistratie{"cmdRegistratie"}; // 0 close, 1 delete
    QTableView* grdRegistratie = nullptr;

    // The orders the list shows, in its order.
    const QList<RegisterBestelling>& bestellingen() const { return m_lijst; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void SetLangStrings();
    void Vul();
    void cmdRegistratie_Click(int index);
    void VerwijderBestelling();

    RegistratieModel* m_model = nullptr;
    QList<RegisterBestelling> m_lijst;
    bool m_geladen = false;
};
