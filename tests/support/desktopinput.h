#pragma once

#include <Qt>

class QWindow;

namespace TestSupport {

// A key typed through a window as the desktop delivers it, so that the
// application's own routing (shortcuts, the focus widget) decides where it
// goes. Ctrl and a letter come as a desktop sends them: a press of Ctrl
// alone, then the letter with the control character it carries (Ctrl+A
// carries U+0001, not "a"), then the release of Ctrl.
void typeKeyIn(QWindow* window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

} // namespace TestSupport
