#pragma once

// Shows the program's message, input and file dialogs as Qt widgets.
void installWidgetDialogs();

// The program is ending (a stop signal): every modal dialog that is open is
// closed as if cancelled, and every dialog asked for from now on gives its
// cancel answer (Cancel, No, or OK for a bare message) without being shown.
void cancelWidgetDialogs();
bool widgetDialogsCancelled();
