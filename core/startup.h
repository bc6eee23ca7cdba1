#pragma once

#include <QString>
#include <QStringList>

// The program directory as the system reports it, ending in the separator.
QString GetAppPath();

// The value of the start switch of that name ("" when absent); with an empty
// name the whole command line. A switch is a "/" that stands first or after a
// blank, the name, "=" (or " =") and the value; a "/" inside a value is part
// of it.
QString GetCommandArg(const QString& name);

// Joins the program's arguments (without the program itself) into the command line.
void SetCommandLine(const QStringList& arguments);

// Start-up up to the first window: database names, AppPath, the registry
// value, the switches, the settings file, the language database and its
// texts, the help file. Returns true when the splash window is to be shown.
// Throws AppError naming what failed.
bool StartUp();

// The help file of the current language: "ZVm" in product-line mode, else "ZVz".
QString HelpFilePath();

// The registry key under which the program keeps its per-user settings.
QString ProgramSettingsKey();
