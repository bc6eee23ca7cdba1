#pragma once

#include "generalui.h"

#include <QMainWindow>

class QLabel;
class QMdiArea;

// The program's main window: the menu, the status bar and the area in which
// every step is shown as a child window.
class frmMain : public QMainWindow, public StatusPanels {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);

    void setStatusPanelText(int panel, const QString& text) override;
    QString statusPanelText(int panel) const;
    QMdiArea* mdiArea() const { return m_mdi; }

private:
    void InitMenu();

    QMdiArea* m_mdi = nullptr;
    QList<QLabel*> m_panels;
};
