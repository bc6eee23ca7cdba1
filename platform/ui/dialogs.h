#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Message-box styles and answers with the numbers the program's code uses.
namespace MsgBox {
enum Style {
    OkOnly = 0,
    OkCancel = 1,
    AbortRetryIgnore = 2,
    YesNoCancel = 3,
    YesNo = 4,
    RetryCancel = 5,
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64,
    DefaultButton2 = 256,
    DefaultButton3 = 512,
};
enum Answer { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };
} // namespace MsgBox

// The modal message box of the program, usable from code without widgets
// (the calculation reaches the user through it). The program installs the
// widget presenters at start (installWidgetDialogs); without them, or in the
// scripted mode of the tests, nothing is shown: answers come from a queue (or
// the default button; a Retry question is given up) and every message is recorded.
class MessageBox {
public:
    struct Shown {
        QString text;
        int style = 0;
        QString title;
        int answer = 0;
    };

    // Shows the message and returns the answer (MsgBox::Answer). An empty title
    // gives the application title.
    static int show(const QString& text, int style = MsgBox::OkOnly, const QString& title = {});

    static void setApplicationTitle(const QString& title);
    static QString applicationTitle();

    static void setScripted(bool scripted);
    static bool isScripted();
    static void setNextAnswer(int answer);
    static int pendingAnswers();
    static QList<Shown> shown();
    static Shown last();
    static void clear(); // forgets recorded messages and queued answers
};

// The modal input box: the typed text, or "" when the user cancelled.
class InputBox {
public:
    static QString show(const QString& prompt, const QString& title = {}, const QString& defaultText = {},
                        bool* accepted = nullptr);

    static void setNextAnswer(const QString& text);
    static void setNextCancel();
    static QStringList prompts();
    static void clear();
};

// File and folder choices; scripted together with the message box.
class FileDialog {
public:
    static QString openFileName(const QString& caption, const QString& dir, const QString& filter = {});
    static QString saveFileName(const QString& caption, const QString& dir, const QString& filter = {});

    static void setNextAnswer(const QString& path); // "" answers as a cancelled dialog
    static void clear();
};

// The system beep; counted in scripted mode.
class Beep {
public:
    static void sound();
    static int count();
    static void reset();
};

// How the dialogs are shown on screen; installed by the program.
struct DialogPresenters {
    std::function<int(const QString& text, int style, const QString& title)> message;
    std::function<QString(const QString& prompt, const QString& title, const QString& defaultText, bool* ok)> input;
    std::function<QString(const QString& caption, const QString& dir, const QString& filter)> openFile;
    std::function<QString(const QString& caption, const QString& dir, const QString& filter)> saveFile;
    std::function<void()> beep;
};
void setDialogPresenters(const DialogPresenters& presenters);
