#include "stepwindow.h"

#include "general.h"
#include "stephost.h"
#include "windowhelpers.h"
#include "wizard.h"
#include "zelvorageneral.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>

StepWindow::StepWindow(QWidget* parent, Kind kind) : QWidget(parent), m_kind(kind)
{
    setAttribute(Qt::WA_DeleteOnClose);
    fraControl = new QFrame(this);
    fraControl->setObjectName("fraControl");
    auto* layout = new QVBoxLayout(fraControl);
    layout->setContentsMargins(0, 0, 0, 0);
    // Forward, stop, back from top to bottom; the index carries the meaning.
    for (int index : {0, 1, 2}) {
        auto* button = cmdControl.add(index, new QPushButton(fraControl));
        button->setFixedSize(90, 38);
        layout->addWidget(button);
        connectAction(button, &QPushButton::clicked, this, [this, index] { cmdControl_Click(index); });
    }
    cmdControl[0]->setText(">>");
    cmdControl[2]->setText("<<");
    SetCaptionLang(cmdControl, 1, 10101000);
    if (kind == Kind::MenuOnly) {
        cmdControl[0]->setEnabled(false);
        cmdControl[2]->setEnabled(false);
    }
    fraControl->adjustSize();
    qApp->installEventFilter(this);
    if (StepHost* host = CurrentStepHost())
        connectAction(host->mdiArea(), &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
            if (sub && sub->widget() == this) {
                Form_Activate();
                TakeKeyboard();
            }
        });
}

void StepWindow::TakeKeyboard()
{
    // The frame gives the keyboard to the step's first control whether that
    // control takes it or not: a step with no box to type in and its forward
    // button off is left without it, and no Esc reaches Stop. A control that
    // the step or the user gave it keeps it.
    if (QWidget* inStep = focusWidget(); inStep && inStep->isVisible() && inStep->isEnabled())
        return;
    if (QWidget* first = FirstControl(this))
        first->setFocus(Qt::OtherFocusReason);
}

void StepWindow::s_Close()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

void StepWindow::cmdControl_Click(int index)
{
    if (GaNaarStap(this, qint16(index), m_changed))
        s_Close();
}

bool StepWindow::isShownMinimized() const
{
    const QWidget* main = MainWindow();
    return isMinimized() || (parentWidget() && parentWidget()->isMinimized()) || (main && main->isMinimized());
}

void StepWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The button frame keeps to the lower right corner.
    const QSize outer = OuterSize(this);
    fraControl->move(std::max(0, outer.width() - twips(1490)), std::max(0, outer.height() - twips(2600)));
}

void StepWindow::childEvent(QChildEvent* event)
{
    QWidget::childEvent(event);
    // The button bar stays above the step's content: a frame made after it
    // would lie over it, empty, and take the clicks meant for its buttons.
    if (event->added() && fraControl && event->child() != fraControl && event->child()->isWidgetType())
        fraControl->raise();
}

void StepWindow::closeEvent(QCloseEvent* event)
{
    bool ok = false;
    RunUserAction([&] { ok = queryUnload(); });
    if (!ok) {
        event->ignore();
        return;
    }
    event->accept();
    qApp->removeEventFilter(this);
    MenuAfterWindowClosed();
}

bool StepWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Enter presses a button, and moves on from a box to the next one, as Tab does.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* w = qobject_cast<QWidget*>(watched);
        if (IsEnter(key) && w && w != this && isAncestorOf(w)) {
            if (!PressOnEnter(w, key)) {
                QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
                QCoreApplication::sendEvent(w, &tab);
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void StepWindow::keyPressEvent(QKeyEvent* event)
{
    // Esc that no box or grid used for itself is Stop, as in a dialog Cancel.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        QPushButton* stop = cmdControl[1];
        if (stop->isVisible() && stop->isEnabled())
            stop->click();
        return;
    }
    QWidget::keyPressEvent(event);
}
