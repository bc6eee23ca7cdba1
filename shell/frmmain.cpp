#include "frmmain.h"

#include "appstate.h"
#include "frmselecttuinder.h"
#include "general.h"
#include "program.h"
#include "startup.h"
#include "stepwindow.h"
#include "ui/dialogs.h"
#include "windowhelpers.h"
#include "windowroom.h"
#include "wizard.h"
#include "zelvorageneral.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QSet>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

namespace {

constexpr int MenuFontSize = 12;

struct Tool {
    const char* key;
    int textOffset; // language text 10400000 + offset; 0: the fixed caption "&Zelvora"
    const char* window;
};

// Band HoofdMenu, in this order.
const Tool kMainTools[] = {
    {"mnu1", 0, "frmTaal"},          {"mnu2", 200, "frmBedrijfGeg"},
    {"mnu3", 300, "frmMeststoffen"}, {"mnu4", 400, "frmTeelt"},
    {"mnu5", 500, "frmWater"},       {"mnu6", 600, "frmAdvies"},
    {"mnu7", 700, "frmSamenstel"},   {"mnu71", 710, "frmSamenstelSimpel"},
    {"mnu8", 800, nullptr},
};

// Popup band mnu8Sub, in this order.
const Tool kPopupTools[] = {
    {"mnu8Sub1", 810, "frmHistorie"}, {"mnu8Sub2", 820, "frmRegistratie"}, {"mnu8Sub3", 830, "frmEigenTeelt"},
    {"mnu8Sub5", 850, "frmMestPref"}, {"mnu8Sub6", 860, nullptr},          {"mnu8Sub4", 840, nullptr},
};

const char* windowOfTool(const QString& key)
{
    for (const Tool& t : kMainTools)
        if (key.compare(t.key, Qt::CaseInsensitive) == 0)
            return t.window;
    for (const Tool& t : kPopupTools)
        if (key.compare(t.key, Qt::CaseInsensitive) == 0)
            return t.window;
    return nullptr;
}

bool toolAvailable(const QString& key)
{
    if (key == "mnu8" || key == "mnu8sub6" || key == "mnu8sub4")
        return true;
    const char* window = windowOfTool(key);
    return window && HasStepWindow(window);
}

// The letter a caption marks with "&", or -1.
qsizetype markedLetter(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i)
        if (caption[i] == '&') {
            if (caption[i + 1].isLetterOrNumber())
                return i + 1;
            ++i;
        }
    return -1;
}

// Every caption of a band gets a letter of its own, for Alt and the letter
// on the band and the letter alone in the popup: the one it marks with "&",
// else the first free letter that starts a word, else the first free letter.
// The language texts carry no marks, and every language must reach every tool.
QStringList WithAccessKeys(const QStringList& captions)
{
    QSet<QChar> taken;
    for (const QString& c : captions)
        if (const qsizetype i = markedLetter(c); i >= 0)
            taken.insert(c[i].toLower());
    QStringList out;
    for (QString c : captions) {
        if (markedLetter(c) < 0) {
            qsizetype chosen = -1;
            for (const bool wordStart : {true, false})
                for (qsizetype i = 0; i < c.size() && chosen < 0; ++i) {
                    const bool starts = i == 0 || !c[i - 1].isLetterOrNumber();
                    if (c[i].isLetterOrNumber() && (starts || !wordStart) && !taken.contains(c[i].toLower()))
                        chosen = i;
                }
            if (chosen >= 0) {
                taken.insert(c[chosen].toLower());
                c.insert(chosen, '&');
            }
        }
        out << c;
    }
    return out;
}

frmMain::Starter& starter()
{
    static frmMain::Starter s;
    return s;
}

} // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("frmMain");
    SetMainWindow(this);
    InstallSelectionFollowsFocus();
    setWindowIcon(QIcon(Picture("TessmarkLogo")));
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName("mdiArea");
    setCentralWidget(m_mdi);
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QString("stbStatus_%1").arg(i + 1));
        statusBar()->addWidget(label, i == 0 ? 1 : 0);
        m_panels << label;
    }
    statusBar()->setObjectName("stbStatus");
    connectAction(m_mdi, &QMdiArea::subWindowActivated, this, [this] { menuForActiveWindow(); });
    // A step that needs more room than the area has is scrolled through.
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_keyboardFollower = FollowTheKeyboard(m_mdi);
    // The windows are laid out for a 1024 by 768 screen; on a smaller one, or
    // one that a scale factor makes smaller, the window keeps to its free area.
    resize(QSize(1024, 768).boundedTo(screen()->availableGeometry().size()));
    MDIForm_Load();
}

frmMain::~frmMain()
{
    if (MainWindow() == this)
        SetMainWindow(nullptr);
    // ~QWidget hides the area and its steps after this class has gone; an
    // activation then must not reach the menu of a window that is no more,
    // nor a focus leaving them scroll an area that is no more.
    m_mdi->disconnect(this);
    delete m_keyboardFollower;
}

void frmMain::MDIForm_Load()
{
    ShowStatusLang(this, -1);
    AppState& s = appState();
    setWindowTitle(s.AppNaam.toUpper());
    ShowStatus(this, "Versie : " + QCoreApplication::applicationVersion(), 3);
    try {
        OpenReferenceDb();
    } catch (const AppError& e) {
        ShowStatusLang(this, 0);
        LogAppError(e);
        MessageBox::show(GetLangStr(999000018) + "\n" + e.description(), MsgBox::Critical);
        EndProgram(1);
    }
    s.ID_HISTORIE = 0;
    InitMenu();
    ShowStatusLang(this, 0);
}

bool frmMain::event(QEvent* event)
{
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::Show && !isMaximized() && !isFullScreen())
        keepOnScreen();
    // Shown maximised first, its normal size was never fitted to the frame
    // the desktop gives it: it is once it has been restored to that size.
    if (event->type() == QEvent::WindowStateChange)
        m_fitWhenRestored = windowState() == Qt::WindowNoState;
    if (event->type() == QEvent::WindowActivate && !m_activated)
        MDIForm_Activate();
    else if (event->type() == QEvent::Show && !m_activated)
        QMetaObject::invokeMethod(this, &frmMain::MDIForm_Activate, Qt::QueuedConnection);
    return handled;
}

void frmMain::MDIForm_Activate()
{
    if (m_activated)
        return;
    m_activated = true;
    AppState& s = appState();
    if (!s.dbH)
        return; // the load failed and the program is ending
    try {
        if (s.KiesTuinder == 1)
            GetZelvraTFileName();
        OpenTuinderDb();
        s.ID_ALG_Tuinder = GetFirstTuinderID();
    } catch (const AppError& e) {
        // Never go on without the grower's data, and never make an empty file in its place.
        s.dbT.reset();
        LogAppError(e);
        MessageBox::show(GetLangStr(999000018) + "\n" + e.description(), MsgBox::Critical);
        EndProgram(1);
    }
}

void frmMain::GetZelvraTFileName()
{
    if (MessageBox::show(GetLangStr(999000035), MsgBox::YesNo | MsgBox::Question | MsgBox::DefaultButton2) !=
        MsgBox::Yes)
        return;
    frmSelectTuinder choice(this);
    choice.exec();
    if (!choice.FileName().isEmpty())
        appState().TDatabaseNaam = choice.FileName();
}

void frmMain::InitMenu()
{
    m_bar = addToolBar("Menubalk");
    m_bar->setObjectName("HoofdMenu");
    m_bar->setMovable(false);
    m_bar->setFloatable(false);
    m_bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QFont font = m_bar->font();
    font.setPointSize(MenuFontSize);
    font.setBold(true);
    m_bar->setFont(font);

    m_popup = new QMenu("Data", this);
    m_popup->setObjectName("mnu8Sub");
    QStringList captions;
    for (const Tool& t : kPopupTools)
        captions << GetLangStr(10400000 + t.textOffset);
    captions = WithAccessKeys(captions);
    for (qsizetype i = 0; i < captions.size(); ++i) {
        QAction* a = m_popup->addAction(captions[i]);
        const QString key = kPopupTools[i].key;
        a->setObjectName(key);
        connectAction(a, &QAction::triggered, this, [this, key] { barMain_Click(key); });
        m_tools.insert(key.toLower(), a);
    }

    captions.clear();
    for (const Tool& t : kMainTools)
        captions << (t.textOffset == 0 ? QString("&Zelvora") : GetLangStr(10400000 + t.textOffset));
    const QStringList withKeys = WithAccessKeys(captions);
    for (qsizetype i = 0; i < captions.size(); ++i) {
        const QString key = kMainTools[i].key;
        QAction* a = new QAction(captions[i], this);
        a->setObjectName(key);
        a->setToolTip(a->text().remove('&'));
        // A tool button shows the icon text, which without one of its own is
        // the caption stripped of its "&": the button would take no Alt+letter.
        a->setIconText(withKeys[i]);
        if (key == "mnu1")
            a->setIcon(QIcon(Picture("TessmarkLogo")));
        if (key == "mnu8")
            a->setMenu(m_popup);
        else
            connectAction(a, &QAction::triggered, this, [this, key] { barMain_Click(key); });
        m_bar->addAction(a);
        auto* button = qobject_cast<QToolButton*>(m_bar->widgetForAction(a));
        if (button) {
            if (key == "mnu8")
                button->setPopupMode(QToolButton::InstantPopup);
            button->installEventFilter(this);
        }
        m_toolButtons.insert(key.toLower(), button);
        m_tools.insert(key.toLower(), a);
        m_mainKeys << key.toLower();
    }
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connectAction(f10, &QShortcut::activated, this, [this] { focusMenu(); });
    layoutTools(80);
    setMenuTools("ALL_ON");
}

void frmMain::layoutTools(int reserve)
{
    // Every tool the same width, the logo tool half of it, as long as the
    // band fits the window. A caption is never cut: a tool is at least as
    // wide as its caption, and when the captions together do not fit, the
    // band's font gets smaller (down to a size still easy to read).
    const int spacing = m_bar->layout() ? m_bar->layout()->spacing() + 2 : 8;
    const int room = width() - int(m_mainKeys.size()) * spacing - 2 * m_bar->contentsMargins().left() - 24;
    QFont font = m_bar->font();
    QVector<int> captions(m_mainKeys.size());
    for (int size = MenuFontSize; size >= MenuFontSize - 4; --size) {
        font.setPointSize(size);
        m_bar->setFont(font);
        int total = 0;
        for (int i = 0; i < m_mainKeys.size(); ++i) {
            QToolButton* b = m_toolButtons.value(m_mainKeys[i]);
            captions[i] = b ? b->sizeHint().width() : 0;
            total += captions[i];
        }
        if (total <= room)
            break;
    }
    int w = int(std::nearbyint((width() - reserve) / 15.0 * 2));
    const auto widths = [&](int common) {
        QVector<int> out(m_mainKeys.size());
        for (int i = 0; i < m_mainKeys.size(); ++i) {
            const int wanted = m_mainKeys[i] == "mnu1" ? int(std::nearbyint(common / 2.0)) : common;
            out[i] = std::max(wanted, captions[i]);
        }
        return out;
    };
    QVector<int> chosen = widths(w);
    while (w > 0 && std::accumulate(chosen.cbegin(), chosen.cend(), 0) > room)
        chosen = widths(--w);
    for (int i = 0; i < m_mainKeys.size(); ++i)
        if (QToolButton* b = m_toolButtons.value(m_mainKeys[i]))
            b->setFixedWidth(chosen[i]);
}

void frmMain::keepOnScreen()
{
    // The frame is known only once the window shows.
    const QRect room = screen()->availableGeometry();
    const QRect outer = frameGeometry();
    if (room.contains(outer))
        return;
    const QSize frame = outer.size() - size();
    resize(size().boundedTo(room.size() - frame));
    const QSize now = size() + frame;
    move(std::max(room.left(), std::min(outer.left(), room.right() + 1 - now.width())),
         std::max(room.top(), std::min(outer.top(), room.bottom() + 1 - now.height())));
}

bool frmMain::inBand(const QWidget* w) const
{
    return w && std::any_of(m_toolButtons.cbegin(), m_toolButtons.cend(), [w](const QToolButton* b) { return b == w; });
}

void frmMain::focusMenu()
{
    QWidget* now = QApplication::focusWidget();
    if (inBand(now)) {
        leaveMenu();
        return;
    }
    for (const QString& k : std::as_const(m_mainKeys))
        if (QToolButton* b = m_toolButtons.value(k); b && b->isEnabled()) {
            m_beforeMenu = now;
            b->setFocus(Qt::ShortcutFocusReason);
            return;
        }
}

void frmMain::leaveMenu()
{
    QWidget* back = m_beforeMenu;
    m_beforeMenu.clear();
    // The step that a tool opened or brought forward takes the keyboard, not the box left behind.
    if (QMdiSubWindow* sub = m_mdi->activeSubWindow(); sub && sub->widget() && !(back && sub->isAncestorOf(back))) {
        back = sub->widget()->focusWidget();
        if (!back)
            back = FirstControl(sub->widget());
    }
    if (back && back->isVisible() && back->isEnabled())
        back->setFocus(Qt::ShortcutFocusReason);
    else if (QWidget* now = QApplication::focusWidget(); inBand(now))
        now->clearFocus();
}

bool frmMain::menuKey(QToolButton* button, int key)
{
    const qsizetype at = m_mainKeys.indexOf(m_toolButtons.key(button));
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
        // On to the next tool that is on, round the band.
        for (qsizetype step = 1; step < m_mainKeys.size(); ++step) {
            const qsizetype n = m_mainKeys.size();
            const qsizetype i = (at + (key == Qt::Key_Right ? step : n - step)) % n;
            if (QToolButton* b = m_toolButtons.value(m_mainKeys[i]); b && b->isEnabled()) {
                b->setFocus(Qt::ShortcutFocusReason);
                break;
            }
        }
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Down:
        if (button->menu())
            button->showMenu();
        else
            button->click();
        if (inBand(QApplication::focusWidget()))
            leaveMenu();
        return true;
    case Qt::Key_Escape:
        leaveMenu();
        return true;
    default:
        return false;
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* button = qobject_cast<QToolButton*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (button && inBand(button) && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
            menuKey(button, key->key()))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (!isMinimized() && m_bar)
        layoutTools(100);
    if (std::exchange(m_fitWhenRestored, false) && windowState() == Qt::WindowNoState)
        QMetaObject::invokeMethod(this, &frmMain::keepOnScreen, Qt::QueuedConnection);
}

void frmMain::setMenuTools(const QString& key)
{
    const bool all = key.toUpper() == "ALL_ON";
    // A key that names no tool is the caller's mistake: it is told, and the
    // menu stays as it was rather than going dark.
    if (!all && !m_mainKeys.contains(key.toLower()))
        throw AppError(35601, "frmMain.BarMain", QString("Element not found: the menu has no tool '%1'.").arg(key));
    for (const QString& k : m_mainKeys)
        m_tools[k]->setEnabled((all || k == key.toLower()) && toolAvailable(k));
    for (const Tool& t : kPopupTools)
        m_tools[QString(t.key).toLower()]->setEnabled(toolAvailable(QString(t.key).toLower()));
}

void frmMain::barMain_Click(const QString& key)
{
    if (m_exclusiveWork > 0)
        return;
    ShowStatusLang(this, -1);
    const QString k = key.toLower();
    // A failing menu action is shown and leaves the program as it was.
    RunUserAction([&] {
        if (k == "mnu8sub4")
            openHelp();
        else if (k == "mnu8sub6")
            updateDatabases();
        else if (const char* window = windowOfTool(k))
            ShowStepWindow(window);
    });
    ShowStatusLang(this, 0);
}

void frmMain::openHelp()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(HelpFilePath()));
}

QString frmMain::updateProgramPath()
{
    return appState().AppPath + "updatedb.exe";
}
void frmMain::setProgramStarter(Starter s)
{
    starter() = std::move(s);
}

void frmMain::updateDatabases()
{
    AppState& s = appState();
    const QString program = updateProgramPath();
    if (!QFileInfo(program).isFile()) {
        MessageBox::show(GetLangStr(999000060) + "\n" + program, MsgBox::Exclamation);
        return;
    }
    if (!closeStepWindows())
        return;
    s.rsTaal.close();
    s.dbT.reset();
    s.dbH.reset();
    s.dbTaal.reset();
    QCoreApplication::processEvents();
    const QStringList arguments = {"/database=" + s.AppPath + s.TDatabaseNaam, "/auto=true", "/reuseinifiles=true"};
    const bool started =
        starter() ? starter()(program, arguments) : QProcess::startDetached(program, arguments, s.AppPath);
    if (started) {
        close();
        EndProgram(0);
        return;
    }
    // Not started: go on with the databases open again.
    try {
        OpenLanguageDb();
        OpenRsLang();
        OpenReferenceDb();
        OpenTuinderDb();
        MessageBox::show(GetLangStr(999000061) + "\n" + program, MsgBox::Exclamation);
    } catch (const AppError& e) {
        LogAppError(e);
        MessageBox::show(GetLangStr(999000018) + "\n" + e.description(), MsgBox::Critical);
        EndProgram(1);
    }
}

bool frmMain::closeStepWindows(const QWidget* keep)
{
    // The last opened first; a step may refuse (its save question).
    const QList<QMdiSubWindow*> subs = m_mdi->subWindowList(QMdiArea::CreationOrder);
    for (auto it = subs.crbegin(); it != subs.crend(); ++it) {
        QMdiSubWindow* sub = *it;
        if (sub->widget() != keep && !sub->close())
            return false;
    }
    QCoreApplication::processEvents();
    return true;
}

void frmMain::setWorkAreaEnabled(bool enabled)
{
    // The band and the area, not the window: a message box over it must still take its answer.
    if (m_bar)
        m_bar->setEnabled(enabled);
    m_mdi->setEnabled(enabled);
}

void frmMain::beginExclusiveWork()
{
    if (m_exclusiveWork++ == 0)
        setWorkAreaEnabled(false);
}

void frmMain::endExclusiveWork()
{
    if (m_exclusiveWork == 0 || --m_exclusiveWork > 0)
        return;
    setWorkAreaEnabled(true);
    // The close waits until the handler that ran the work has returned, so
    // that no window of its is destroyed under it.
    if (std::exchange(m_closeAfterWork, false))
        QMetaObject::invokeMethod(
            this, [this] { close(); }, Qt::QueuedConnection);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // Work that runs alone (the order's mail) is bounded by its time-outs:
    // the close waits for it, so that its outcome is told and registered as
    // it really was.
    if (m_exclusiveWork > 0) {
        m_closeAfterWork = true;
        event->ignore();
        return;
    }
    if (!closeStepWindows()) {
        event->ignore();
        return;
    }
    AppState& s = appState();
    s.dbT.reset();
    s.dbH.reset();
    event->accept();
}

void frmMain::menuForActiveWindow()
{
    // The active step switches the menu to its own tool.
    QMdiSubWindow* sub = m_mdi->activeSubWindow();
    if (!sub || !sub->widget())
        return;
    QVariant key = sub->widget()->property("menuToolKey");
    if (auto* step = qobject_cast<StepWindow*>(sub->widget()))
        key = step->menuToolKey();
    // A window without a tool of its own (the mail and print step) leaves the menu as it is.
    if (key.isValid() && !key.toString().isEmpty())
        SetHoofdMenuAan(key.toString());
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
