#pragma once

#include <QString>
#include <QTemporaryDir>
#include <Qt>
#include <memory>

class QWidget;
class frmMain;

// The program as window tests need it: the default databases in a temporary
// program directory, the texts open, the main window loaded (and activated:
// grower database open, first grower taken), dialogs scripted, and the end of
// the program recorded instead of carried out.
class ProgramFixture {
public:
    explicit ProgramFixture(bool activate = true);
    ~ProgramFixture();
    ProgramFixture(const ProgramFixture&) = delete;
    ProgramFixture& operator=(const ProgramFixture&) = delete;

    QString appPath() const; // ends in "/"
    frmMain* main() const { return m_main.get(); }
    int endedWith() const { return m_endCode; } // -1 while the program runs

    // Shows the main window and waits until it is the active window.
    bool showMain();

    // Clicks the menu tool as the user does; the open step window of that
    // class afterwards, or null.
    QWidget* openFromMenu(const char* tool, const char* className);

    // Closes every child window without saving (their questions answered No).
    void closeChildWindows();

    // Ends the program and starts it again on the same databases: a new run,
    // with nothing kept in memory.
    bool restart();

private:
    void start(bool activate);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<frmMain> m_main;
    int m_endCode = -1;
};

namespace TestSupport {

// A key typed where the keyboard is, as the desktop delivers it: through the
// window of the widget that has the focus, else the active window.
void typeKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// A text typed key by key where the keyboard is, which may move as it is typed.
void typeText(const QString& text);

} // namespace TestSupport
