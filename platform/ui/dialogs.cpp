#include "dialogs.h"

#include "processshared.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <deque>
#include <optional>

namespace {

struct State {
    bool scripted = false;
    QString title = "Zelvora";
    std::deque<int> answers;
    QList<MessageBox::Shown> shown;
    std::deque<std::optional<QString>> inputAnswers;
    QStringList prompts;
    std::deque<QString> fileAnswers;
    int beeps = 0;
};

State& state() { return processShared<State>("zelvora.dialogs"); }

QWidget* parentWidget() { return QApplication::activeWindow(); }

int defaultAnswer(int style)
{
    static const int firsts[6][3] = {{MsgBox::Ok, MsgBox::Ok, MsgBox::Ok},
                                     {MsgBox::Ok, MsgBox::Cancel, MsgBox::Cancel},
                                     {MsgBox::Abort, MsgBox::Retry, MsgBox::Ignore},
                                     {MsgBox::Yes, MsgBox::No, MsgBox::Cancel},
                                     {MsgBox::Yes, MsgBox::No, MsgBox::No},
                                     {MsgBox::Retry, MsgBox::Cancel, MsgBox::Cancel}};
    int buttons = style & 7;
    if (buttons > 5)
        buttons = 0;
    const int which = (style & MsgBox::DefaultButton3) ? 2 : (style & MsgBox::DefaultButton2) ? 1 : 0;
    return firsts[buttons][which];
}

int showReal(const QString& text, int style, const QString& title)
{
    QMessageBox box(parentWidget());
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
        buttons = {{QMessageBox::Yes, MsgBox::Yes}, {QMessageBox::No, MsgBox::No}, {QMessageBox::Cancel, MsgBox::Cancel}};
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
    // Closed from the frame: the cancel-like answer.
    const int kind = style & 7;
    if (kind == MsgBox::YesNo)
        return MsgBox::No;
    if (kind == MsgBox::OkOnly)
        return MsgBox::Ok;
    return MsgBox::Cancel;
}

} // namespace

int MessageBox::show(const QString& text, int style, const QString& title)
{
    State& s = state();
    const QString t = title.isEmpty() ? s.title : title;
    int answer;
    if (s.scripted) {
        if (!s.answers.empty()) {
            answer = s.answers.front();
            s.answers.pop_front();
        } else {
            answer = defaultAnswer(style);
        }
    } else {
        answer = showReal(text, style, t);
    }
    s.shown.push_back({text, style, t, answer});
    return answer;
}

void MessageBox::setApplicationTitle(const QString& title) { state().title = title; }
QString MessageBox::applicationTitle() { return state().title; }
void MessageBox::setScripted(bool scripted) { state().scripted = scripted; }
bool MessageBox::isScripted() { return state().scripted; }
void MessageBox::setNextAnswer(int answer) { state().answers.push_back(answer); }
int MessageBox::pendingAnswers() { return int(state().answers.size()); }
QList<MessageBox::Shown> MessageBox::shown() { return state().shown; }
MessageBox::Shown MessageBox::last() { return state().shown.isEmpty() ? Shown{} : state().shown.last(); }

void MessageBox::clear()
{
    State& s = state();
    s.answers.clear();
    s.shown.clear();
    s.inputAnswers.clear();
    s.prompts.clear();
    s.fileAnswers.clear();
    s.beeps = 0;
}

QString InputBox::show(const QString& prompt, const QString& title, const QString& defaultText, bool* accepted)
{
    State& s = state();
    s.prompts << prompt;
    const QString t = title.isEmpty() ? s.title : title;
    if (s.scripted) {
        std::optional<QString> answer;
        if (!s.inputAnswers.empty()) {
            answer = s.inputAnswers.front();
            s.inputAnswers.pop_front();
        }
        if (accepted)
            *accepted = answer.has_value();
        return answer.value_or(QString());
    }
    bool ok = false;
    const QString text = QInputDialog::getText(parentWidget(), t, prompt, QLineEdit::Normal, defaultText, &ok);
    if (accepted)
        *accepted = ok;
    return ok ? text : QString();
}

void InputBox::setNextAnswer(const QString& text) { state().inputAnswers.push_back(text); }
void InputBox::setNextCancel() { state().inputAnswers.push_back(std::nullopt); }
QStringList InputBox::prompts() { return state().prompts; }
void InputBox::clear()
{
    state().inputAnswers.clear();
    state().prompts.clear();
}

namespace {
QString nextFileAnswer()
{
    State& s = state();
    if (s.fileAnswers.empty())
        return {};
    const QString a = s.fileAnswers.front();
    s.fileAnswers.pop_front();
    return a;
}
} // namespace

QString FileDialog::openFileName(const QString& caption, const QString& dir, const QString& filter)
{
    if (state().scripted)
        return nextFileAnswer();
    return QFileDialog::getOpenFileName(parentWidget(), caption, dir, filter);
}

QString FileDialog::saveFileName(const QString& caption, const QString& dir, const QString& filter)
{
    if (state().scripted)
        return nextFileAnswer();
    return QFileDialog::getSaveFileName(parentWidget(), caption, dir, filter);
}

void FileDialog::setNextAnswer(const QString& path) { state().fileAnswers.push_back(path); }
void FileDialog::clear() { state().fileAnswers.clear(); }

void Beep::sound()
{
    ++state().beeps;
    if (!state().scripted)
        QApplication::beep();
}
int Beep::count() { return state().beeps; }
void Beep::reset() { state().beeps = 0; }
