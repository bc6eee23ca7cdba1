#pragma once

#include <QString>
#include <functional>

class StepWindow;
class QWidget;

// The wizard through the steps, and the main menu's tools.

// Forward (0), stop (1) or back (2) from a step. Forward and back save the
// step first; stop asks when there are unsaved changes. Returns whether the
// calling step is to close: not when its save failed, when it has no save
// (a window the menu opens), or when the fertiliser window only turned its page.
bool GaNaarStap(StepWindow* window, qint16 index, bool& changed);

// "ALL_ON" (any case) switches every main tool on; another key switches all
// off but that tool. Tools of windows the program does not have stay off. A
// key that names no tool of the band throws AppError and changes nothing.
void SetHoofdMenuAan(const QString& key);

// A window of the menu closes: all tools on, until a step the wizard opened
// meanwhile takes the menu back for itself.
void MenuAfterWindowClosed();

// Step windows by class name: one instance each, created on first use.
using StepFactory = std::function<QWidget*()>;
void RegisterStepWindow(const QString& className, StepFactory factory);
bool HasStepWindow(const QString& className);
// Shows the window, creating it when it is not open; a loaded one comes forward.
QWidget* ShowStepWindow(const QString& className);
// The open window of that class, or null.
QWidget* OpenStepWindow(const QString& className);
