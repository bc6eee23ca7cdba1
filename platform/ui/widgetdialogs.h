#pragma once

// Shows the program's message, input and file dialogs as Qt widgets.
void installWidgetDialogs();
