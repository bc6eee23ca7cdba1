#pragma once

// Driving the step windows of these tests as a user does: typing into boxes,
// pressing the wizard buttons, closing a window, and rows put in place.
#include "appstate.h"
#include "stepwindow.h"
#include "ui/dialogs.h"
#include "wizard.h"

#include <QLineEdit>
#include <QMdiSubWindow>
#include <QtTest>

namespace StepDriver {

template <typename W> W* show(const char* className)
{
    auto* w = qobject_cast<W*>(ShowStepWindow(className));
    QCoreApplication::processEvents();
    return w;
}

inline bool isOpen(const char* className)
{
    return OpenStepWindow(className) != nullptr;
}

inline QLineEdit* box(QWidget* w, const QString& array, int index)
{
    return w->findChild<QLineEdit*>(array + "_" + QString::number(index));
}

// Types into the box and leaves it with Tab.
inline void type(QLineEdit* b, const QString& text)
{
    QVERIFY(b && b->isEnabled());
    b->setFocus();
    QTRY_VERIFY(b->hasFocus());
    b->selectAll();
    QTest::keyClicks(b, text);
    QTest::keyClick(b, Qt::Key_Tab);
    QVERIFY(!b->hasFocus());
}

// What a paste puts into the box, past the key filter.
inline void paste(QLineEdit* b, const QString& text)
{
    b->setFocus();
    QTRY_VERIFY(b->hasFocus());
    b->selectAll();
    b->insert(text);
    QTest::keyClick(b, Qt::Key_Tab);
}

// The box shows its whole text: right-aligned with the caret at its end, the
// text's first character still stands inside the box once it is drawn.
inline bool showsWhole(QLineEdit* b)
{
    b->end(false);
    b->grab(); // drawing places the text
    const QRect caret = b->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int start = caret.center().x() - b->fontMetrics().horizontalAdvance(b->text());
    return start >= 0 && caret.center().x() <= b->width();
}

inline void press(StepWindow* w, int index)
{
    w->cmdControl[index]->click();
    QCoreApplication::processEvents();
}

inline void closeWindow(QWidget* w)
{
    qobject_cast<QMdiSubWindow*>(w->parentWidget())->close();
    QCoreApplication::processEvents();
}

inline QString lastText()
{
    return MessageBox::shown().isEmpty() ? QString() : MessageBox::last().text;
}

// Adds a row of the current grower to the table.
inline void insertRow(const QString& table, std::initializer_list<std::pair<const char*, QVariant>> values)
{
    QStringList columns{"ID_ALG_Tuinder"};
    QVariantList params{appState().ID_ALG_Tuinder};
    for (const auto& [c, v] : values) {
        columns << c;
        params << v;
    }
    const QStringList marks(columns.size(), "?");
    appState().dbT->execute("INSERT INTO " + table + " (" + columns.join(", ") + ") VALUES (" + marks.join(", ") + ")",
                            params);
}

} // namespace StepDriver
