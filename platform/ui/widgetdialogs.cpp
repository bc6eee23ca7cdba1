#include "widgetdialogs.h"

#include "dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>

namespace {

bool g_cancelled = false;

QWidget* parentWidget()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

// The answer of a box closed without a button: the one that changes nothing.
int cancelAnswer(int style)
{
    switch (style & 7) {
    case MsgBox::YesNo:
        return MsgBox::No;
    case MsgBox::OkOnly:
        return MsgBox::Ok;
    case MsgBox::AbortRetryIgnore:
        return MsgBox::Abort;
    default:
        return MsgBox::Cancel;
    }
}

// A window that keeps itself above all others would hide the box; the box
// then keeps itself above too.
void keepAboveStayOnTopWindows(QWidget* box)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != box && w->isVisible() && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
            box->setWindowFlag(Qt::WindowStaysOnTopHint, true);
            return;
        }
}

int showMessage(const QString& text, int style, const QString& title)
{
    if (g_cancelled)
        return cancelAnswer(style);
    QMessageBox box(parentWidget());
    keepAboveStayOnTopWindows(&box);
    box.setWindowTitle(title);
    box.setText(text);
    switch (style & 0x70) {
    case MsgBox::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgBox::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgBox::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgBox::Information:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    QList<QPair<QMessageBox::StandardButton, int>> buttons;
    switch (style & 7) {
    case MsgBox::OkCancel:
        buttons = {{QMessageBox::Ok, MsgBox::Ok}, {QMessageBox::Cancel, MsgBox::Cancel}};
        break;
    case MsgBox::AbortRetryIgnore:
        buttons = {{QMessageBox::Abort, MsgBox::Abort},
                   {QMessageBox::Retry, MsgBox::Retry},
                   {QMessageBox::Ignore, MsgBox::Ignore}};
        break;
    case MsgBox::YesNoCancel:
        buttons = {
            {QMessageBox::Yes, MsgBox::Yes}, {QMessageBox::No, MsgBox::No}, {QMessageBox::Cancel, MsgBox::Cancel}};
        break;
    case MsgBox::YesNo:
        buttons = {{QMessageBox::Yes, MsgBox::Yes}, {QMessageBox::No, MsgBox::No}};
        break;
    case MsgBox::RetryCancel:
        buttons = {{QMessageBox::Retry, MsgBox::Retry}, {QMessageBox::Cancel, MsgBox::Cancel}};
        break;
    default:
        buttons = {{QMessageBox::Ok, MsgBox::Ok}};
        break;
    }
    QMessageBox::StandardButtons all;
    for (const auto& b : buttons)
        all |= b.first;
    box.setStandardButtons(all);
    const int which = (style & MsgBox::DefaultButton3) ? 2 : (style & MsgBox::DefaultButton2) ? 1 : 0;
    if (which < buttons.size())
        box.setDefaultButton(buttons[which].first);
    const auto clicked = QMessageBox::StandardButton(box.exec());
    for (const auto& b : buttons)
        if (b.first == clicked)
            return b.second;
    // Closed from the frame (or by a stop signal): the answer that changes nothing.
    return cancelAnswer(style);
}

} // namespace

void installWidgetDialogs()
{
    DialogPresenters p;
    p.message = showMessage;
    p.input = [](const QString& prompt, const QString& title, const QString& defaultText, bool* ok) {
        if (g_cancelled) {
            *ok = false;
            return QString();
        }
        return QInputDialog::getText(parentWidget(), title, prompt, QLineEdit::Normal, defaultText, ok);
    };
    p.openFile = [](const QString& caption, const QString& dir, const QString& filter) {
        if (g_cancelled)
            return QString();
        return QFileDialog::getOpenFileName(parentWidget(), caption, dir, filter);
    };
    p.saveFile = [](const QString& caption, const QString& dir, const QString& filter) {
        if (g_cancelled)
            return QString();
        return QFileDialog::getSaveFileName(parentWidget(), caption, dir, filter);
    };
    p.beep = [] { QApplication::beep(); };
    setDialogPresenters(p);
}

void cancelWidgetDialogs()
{
    g_cancelled = true;
    // Innermost first: rejecting a dialog returns control to the code that
    // opened it only once the event loop runs again, so every open one is
    // rejected now.
    QList<QPointer<QDialog>> open;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible())
            open << dialog;
    for (const QPointer<QDialog>& dialog : open)
        if (dialog)
            dialog->reject();
}

bool widgetDialogsCancelled()
{
    return g_cancelled;
}
