#include "programfixture.h"

#include "appstate.h"
#include "defaultstate.h"
#include "desktopinput.h"
#include "frmmain.h"
#include "program.h"
#include "ui/dialogs.h"
#include "wizard.h"
#include "zelvorageneral.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QWindow>

ProgramFixture::ProgramFixture(bool activate)
{
    // The main window opens the reference and grower databases itself.
    m_dir = TestSupport::openDefaultState(TestSupport::Open::TextsOnly);
    start(activate);
}

void ProgramFixture::start(bool activate)
{
    SetEndProgramHandler([this](int code) { m_endCode = code; });
    m_main = std::make_unique<frmMain>();
    if (activate)
        m_main->MDIForm_Activate();
}

bool ProgramFixture::restart()
{
    closeChildWindows();
    m_main.reset();
    TestSupport::openState(m_dir->path(), TestSupport::Open::TextsOnly);
    start(true);
    return showMain();
}

ProgramFixture::~ProgramFixture()
{
    closeChildWindows();
    m_main.reset();
    SetEndProgramHandler({});
    resetAppState();
}

QString ProgramFixture::appPath() const
{
    return m_dir->path() + "/";
}

QWidget* ProgramFixture::openFromMenu(const char* tool, const char* className)
{
    m_main->barMain_Click(tool);
    QCoreApplication::processEvents();
    return OpenStepWindow(className);
}

void ProgramFixture::closeChildWindows()
{
    if (!m_main)
        return;
    for (int round = 0; round < 3 && !m_main->mdiArea()->subWindowList().isEmpty(); ++round) {
        for (QMdiSubWindow* sub : m_main->mdiArea()->subWindowList()) {
            for (int i = 0; i < 4; ++i)
                MessageBox::setNextAnswer(MsgBox::No);
            sub->close();
        }
        QCoreApplication::processEvents();
    }
    MessageBox::clear();
}

bool ProgramFixture::showMain()
{
    m_main->show();
    return QTest::qWaitForWindowActive(m_main.get());
}

namespace {

QWidget* keyboard()
{
    return QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
}

} // namespace

void TestSupport::typeKey(int key, Qt::KeyboardModifiers modifiers)
{
    typeKeyIn(keyboard()->window()->windowHandle(), key, modifiers);
}

void TestSupport::typeText(const QString& text)
{
    for (const QChar c : text)
        QTest::keyClick(keyboard()->window()->windowHandle(), c.toLatin1());
}
