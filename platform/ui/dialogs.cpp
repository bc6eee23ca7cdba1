#include "dialogs.h"

#include "processshared.h"

#include <deque>
#include <optional>

namespace {

// Shared with the search library under a key that names this layout:
// a change here takes a new key (processshared.h).
struct State {
    bool scripted = false;
    QString title = "Zelvora";
    std::deque<int> answers;
    QList<MessageBox::Shown> shown;
    std::deque<std::optional<QString>> inputAnswers;
    QStringList prompts;
    std::deque<QString> fileAnswers;
    int beeps = 0;
    DialogPresenters presenters;
};

State& state()
{
    return processShared<State>("zelvora.dialogs/1");
}

// The answer when nobody is there to give one: the default button, except
// that a Retry question is given up (Cancel, Abort) so that a step that keeps
// failing cannot keep asking.
int defaultAnswer(int style)
{
    if ((style & 7) == MsgBox::RetryCancel)
        return MsgBox::Cancel;
    if ((style & 7) == MsgBox::AbortRetryIgnore)
        return MsgBox::Abort;
    static const int firsts[6][3] = {
        {MsgBox::Ok, MsgBox::Ok, MsgBox::Ok},           {MsgBox::Ok, MsgBox::Cancel, MsgBox::Cancel},
        {MsgBox::Abort, MsgBox::Retry, MsgBox::Ignore}, {MsgBox::Yes, MsgBox::No, MsgBox::Cancel},
        {MsgBox::Yes, MsgBox::No, MsgBox::No},          {MsgBox::Retry, MsgBox::Cancel, MsgBox::Cancel}};
    int buttons = style & 7;
    if (buttons > 5)
        buttons = 0;
    const int which = (style & MsgBox::DefaultButton3) ? 2 : (style & MsgBox::DefaultButton2) ? 1 : 0;
    return firsts[buttons][which];
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
    } else if (s.presenters.message) {
        answer = s.presenters.message(text, style, t);
    } else {
        answer = defaultAnswer(style);
    }
    s.shown.push_back({text, style, t, answer});
    return answer;
}

void MessageBox::setApplicationTitle(const QString& title)
{
    state().title = title;
}
QString MessageBox::applicationTitle()
{
    return state().title;
}
void MessageBox::setScripted(bool scripted)
{
    state().scripted = scripted;
}
bool MessageBox::isScripted()
{
    return state().scripted;
}
void MessageBox::setNextAnswer(int answer)
{
    state().answers.push_back(answer);
}
int MessageBox::pendingAnswers()
{
    return int(state().answers.size());
}
QList<MessageBox::Shown> MessageBox::shown()
{
    return state().shown;
}
MessageBox::Shown MessageBox::last()
{
    return state().shown.isEmpty() ? Shown{} : state().shown.last();
}

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
    const QString text = s.presenters.input ? s.presenters.input(prompt, t, defaultText, &ok) : QString();
    if (accepted)
        *accepted = ok;
    return ok ? text : QString();
}

void InputBox::setNextAnswer(const QString& text)
{
    state().inputAnswers.push_back(text);
}
void InputBox::setNextCancel()
{
    state().inputAnswers.push_back(std::nullopt);
}
QStringList InputBox::prompts()
{
    return state().prompts;
}
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
    if (state().scripted || !state().presenters.openFile)
        return nextFileAnswer();
    return state().presenters.openFile(caption, dir, filter);
}

QString FileDialog::saveFileName(const QString& caption, const QString& dir, const QString& filter)
{
    if (state().scripted || !state().presenters.saveFile)
        return nextFileAnswer();
    return state().presenters.saveFile(caption, dir, filter);
}

void FileDialog::setNextAnswer(const QString& path)
{
    state().fileAnswers.push_back(path);
}
void FileDialog::clear()
{
    state().fileAnswers.clear();
}

void Beep::sound()
{
    ++state().beeps;
    if (!state().scripted && state().presenters.beep)
        state().presenters.beep();
}
int Beep::count()
{
    return state().beeps;
}
void Beep::reset()
{
    state().beeps = 0;
}

void setDialogPresenters(const DialogPresenters& presenters)
{
    state().presenters = presenters;
}
