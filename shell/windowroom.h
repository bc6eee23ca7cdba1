#pragma once

#include <QSize>

class QMdiArea;
class QObject;
class QMdiSubWindow;
class QWidget;

// The windows of the work area place their controls themselves, from their
// size, for the screen they were laid out for. On a smaller screen, or one
// that a scale factor makes smaller, a window is kept as large as its own
// layout needs, and the work area scrolls.

// Whether the window, laid out at its size, shows every control: each inside
// the window, and none under the wizard's button bar fraControl.
bool ShowsEveryControl(const QWidget* window);

// The smallest size, not below room, at which the window's own layout shows
// every control: the room itself when it does (a control's edge of a pixel
// or two may be cut), else the room grown so that the button bar stands
// below the controls or beside them, whichever adds less. The window is laid
// out at the sizes it tries, and at its own size again at the end.
QSize RoomNeeded(QWidget* window, const QSize& room);

// The size a window takes when it is restored: the room a maximised window
// has on a 1024 × 768 screen, or what its layout needs beyond that.
QSize DesignedSize(QWidget* window);

// From now on the child window keeps the size its layout needs: while
// maximised at least that for the work area's room, else its designed size.
// It is looked at again when the area's room changes, and when a control of
// the window shows, hides or changes size.
void KeepEveryControlInReach(QMdiSubWindow* sub);

// Scrolls the work area so that the control, when it is in it, is in sight.
void ShowInWorkArea(QMdiArea* area, QWidget* control);

// From now on the work area follows the keyboard: it scrolls to a control
// that the keyboard moves to (Tab, Shift+Tab, a mnemonic, a key that moves
// on), and never on a click, a scroll bar or the wheel, which would slide a
// button away between its press and its release. Where the area scrolls only
// across, the wheel moves that scroll bar. Deleting the object ends it.
QObject* FollowTheKeyboard(QMdiArea* area);
