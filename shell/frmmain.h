#pragma once

#include "generalui.h"
#include "stephost.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QTcpSocket>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;
class QToolButton;

// The program's main window: the menu band "HoofdMenu" with its popup band
// "mnu8Sub", the status bar and the area in which every step is shown as a
// child window. It opens the reference database when it loads and the
// grower database on its first activation.
class frmMain : public QMainWindow, public StatusPanels, public StepHost {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    void setStatusPanelText(int panel, const QString& text) override;
    QString statusPanelText(int panel) const;
    QMdiArea* mdiArea() const override { return m_mdi; }

    // Switches the tools of band HoofdMenu: "ALL_ON" all, else only that key.
    void setMenuTools(const QString& key) override;
    QAction* tool(const QString& key) const { return m_tools.value(key.toLower()); }
    // Switches the menu to the tool of the active child window, if there is one.
    void menuForActiveWindow() override;
    bool closeStepWindows(const QWidget* keep = nullptr) override;
    void beginExclusiveWork() override;
    void endExclusiveWork() override;

    // The menu's click handler, by tool key.
    void barMain_Click(const QString& key);
    // Runs the work of the first activation (once).
    void MDIForm_Activate();
    // Asks whether to choose another grower database; sets TDatabaseNaam.
    void GetZelvraTFileName();

    // Where the database-update program is looked for and how it is started (tests replace the start).
    static QString updateProgramPath();
    using Starter = std::function<bool(const QString& program, const QStringList& arguments)>;
    static void setProgramStarter(Starter starter);

    // The connection the built-in SMTP client sends the order mail over.
    QTcpSocket* const tcpWinsock = new QTcpSocket(this);
    QTcpSocket* mailSocket() const override { return tcpWinsock; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MDIForm_Load();
    void InitMenu();
    void layoutTools(int reserve);
    void openHelp();
    void updateDatabases();
    // The menu from the keyboard: F10 goes into the band and out again.
    void focusMenu();
    void leaveMenu();
    bool menuKey(QToolButton* button, int key);
    bool inBand(const QWidget* w) const;
    // A window shown at its own size keeps within the screen's free area, frame and all.
    void keepOnScreen();
    void setWorkAreaEnabled(bool enabled);

    QMdiArea* m_mdi = nullptr;
    QToolBar* m_bar = nullptr;
    QMenu* m_popup = nullptr;
    QList<QLabel*> m_panels;
    QHash<QString, QAction*> m_tools;           // lower-cased keys, both bands
    QHash<QString, QToolButton*> m_toolButtons; // band HoofdMenu
    QStringList m_mainKeys;
    QPointer<QWidget> m_beforeMenu; // where the focus was before F10
    QObject* m_keyboardFollower = nullptr;
    bool m_activated = false;
    bool m_fitWhenRestored = false; // restored, and not resized to its normal size yet
    int m_exclusiveWork = 0;        // nesting depth of the work that runs alone
    bool m_closeAfterWork = false;  // a close came while it ran
};
