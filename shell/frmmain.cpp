#include "frmmain.h"

#include "appstate.h"
#include "zelvorageneral.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("frmMain");
    m_mdi = new QMdiArea(this);
    setCentralWidget(m_mdi);
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QString("stbStatus_%1").arg(i + 1));
        statusBar()->addWidget(label, i == 0 ? 1 : 0);
        m_panels << label;
    }
    setWindowTitle(appState().AppNaam.toUpper());
    setStatusPanelText(3, "Versie : " + QCoreApplication::applicationVersion());
    InitMenu();
    resize(1024, 768);
}

void frmMain::setStatusPanelText(int panel, const QString& text)
{
    if (panel >= 1 && panel <= m_panels.size())
        m_panels[panel - 1]->setText(text);
}

QString frmMain::statusPanelText(int panel) const
{
    return panel >= 1 && panel <= m_panels.size() ? m_panels[panel - 1]->text() : QString();
}

void frmMain::InitMenu()
{
    QMenuBar* bar = menuBar();
    bar->addAction("&Zelvora")->setObjectName("mnu1");
    const QList<QPair<QString, int>> tools = {{"mnu2", 200}, {"mnu3", 300}, {"mnu4", 400}, {"mnu5", 500},
                                              {"mnu6", 600}, {"mnu7", 700}, {"mnu71", 710}, {"mnu8", 800}};
    for (const auto& t : tools) {
        QAction* a = bar->addAction(GetLangStr(10400000 + t.second));
        a->setObjectName(t.first);
        a->setEnabled(false); // the step windows are not part of the program yet
    }
}
