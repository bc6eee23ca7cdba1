#include "frmsplash.h"

#include "frmmain.h"
#include "instanceguard.h"
#include "program.h"
#include "windowhelpers.h"
#include "zelvorageneral.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>

void ShowMainWindow()
{
    QWidget* main = MainWindow();
    if (!main) {
        main = new frmMain;
        main->setAttribute(Qt::WA_DeleteOnClose);
    }
    main->showMaximized();
    main->raise();
    main->activateWindow();
}

// A plain window without a frame: a window manager gives the keyboard to it
// (a splash-screen window it would pass over), and nothing keeps it above the
// messages of the start.
frmSplash::frmSplash(int interval, QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName("frmSplash");
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
    if (CheckPrevInstance(this))
        return;
    auto* layout = new QVBoxLayout(this);
    auto* picture = new QLabel(this);
    picture->setPixmap(Picture("TessmarkLogo").scaled(96, 96));
    picture->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture);
    for (int i = 0; i < 2; ++i) {
        auto* label = lblSplash.add(i, new QLabel(this));
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        layout->addWidget(label);
        label->setText(GetLangStr(i + 1));
    }
    resize(480, 260);
    tmrSpash = new QTimer(this);
    tmrSpash->setObjectName("tmrSpash");
    tmrSpash->setSingleShot(true);
    connect(tmrSpash, &QTimer::timeout, this, [this] {
        close();
        EndProgram(0);
    });
    tmrSpash->start(interval);
    // A second start of the program presses Enter here.
    InstanceGuard::instance().setActivationHandler([self = QPointer<frmSplash>(this)] {
        if (self && self->isVisible())
            self->Form_KeyPress(13);
        else if (QWidget* main = MainWindow()) {
            main->showNormal();
            main->raise();
            main->activateWindow();
        }
    });
    m_loaded = true;
}

void frmSplash::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // "Press Enter" must work without a click first.
    raise();
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}

void frmSplash::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        Form_KeyPress(13);
    else if (event->key() == Qt::Key_Escape)
        Form_KeyPress(27);
    else
        QWidget::keyPressEvent(event);
}

void frmSplash::Form_KeyPress(int keyAscii)
{
    if (keyAscii == 13)
        continueToMainWindow();
    else if (keyAscii == 27) {
        tmrSpash->stop();
        close();
        EndProgram(0);
    }
}

void frmSplash::continueToMainWindow()
{
    tmrSpash->stop();
    // Out of the way first: the main window's load may have a message to show.
    hide();
    ShowMainWindow();
    close();
}
