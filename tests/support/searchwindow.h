#pragma once

#include <QString>
#include <QStringList>

// The search window as window tests meet it.
namespace TestSupport {

// Registers the search library this build made, in a registry store under
// registryDir, so the program's searches open the real search window.
bool registerSearchLibrary(const QString& registryDir);

// What a search window showed: its title and one column of its rows.
struct SearchView {
    QString title;
    QStringList cells;
};

// Answers the next search window: chooses the row whose column holds text and
// confirms it; without such a row (or with an empty text) the window is
// cancelled. seen, when given, receives what the window showed.
void answerSearch(const QString& text, int column = 1, SearchView* seen = nullptr);

// Answers the next search window by keys, as the user does: once it is the
// active window, the text is typed into it through the window key by key and
// Enter chooses. A window left open is cancelled.
void answerSearchByKeys(const QString& text);

} // namespace TestSupport
