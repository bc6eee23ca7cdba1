#include "desktopinput.h"

#include <QString>
#include <QTest>
#include <QWindow>

void TestSupport::typeKeyIn(QWindow* window, int key, Qt::KeyboardModifiers modifiers)
{
    const auto letter = Qt::Key(key);
    if (modifiers != Qt::ControlModifier || letter < Qt::Key_A || letter > Qt::Key_Z)
        return QTest::keyClick(window, letter, modifiers);
    QTest::sendKeyEvent(QTest::Press, window, Qt::Key_Control, QString(), Qt::ControlModifier);
    QTest::sendKeyEvent(QTest::Click, window, letter, QString(QChar(letter - Qt::Key_A + 1)), Qt::ControlModifier);
    QTest::sendKeyEvent(QTest::Release, window, Qt::Key_Control, QString(), Qt::NoModifier);
}
