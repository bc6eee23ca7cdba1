#include "searchwindow.h"

#include "com/createobject.h"
#include "registry/registry.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace TestSupport {

bool registerSearchLibrary(const QString& registryDir)
{
    const QString library = QCoreApplication::applicationDirPath() + "/../bin/libTabvin.so";
    if (!QFile::exists(library)) {
        qWarning("the search library is missing: build the Tabvin target first");
        return false;
    }
    Registry::setRootDirectory(registryDir);
    return ComClass::registerClass("Tabvin.Zoeken", library);
}

void answerSearch(const QString& text, int column, SearchView* seen)
{
    // The search window is modal: it is answered once its own event loop runs.
    QTimer::singleShot(0, [text, column, seen] {
        QWidget* window = QApplication::activeModalWidget();
        if (!window)
            return;
        SearchView view{window->windowTitle(), {}};
        bool found = false;
        auto* grid = window->findChild<QTableView*>("tdbTabel");
        for (int row = 0; grid && row < grid->model()->rowCount(); ++row) {
            const QModelIndex cell = grid->model()->index(row, column);
            view.cells << cell.data().toString();
            if (!found && !text.isEmpty() && cell.data().toString() == text) {
                grid->setCurrentIndex(cell);
                found = true;
            }
        }
        if (seen)
            *seen = view;
        if (found)
            QTest::keyClick(window, Qt::Key_Return);
        if (window->isVisible())
            window->close();
    });
}

void answerSearchByKeys(const QString& text)
{
    QTimer::singleShot(0, [text] {
        QWidget* window = QApplication::activeModalWidget();
        if (!window)
            return;
        window->activateWindow(); // as a window manager does with a new window
        if (QTest::qWaitForWindowActive(window)) {
            for (const QChar c : text)
                QTest::keyClick(window->windowHandle(), c.toLatin1());
            QTest::keyClick(window->windowHandle(), Qt::Key_Return);
        }
        if (window->isVisible())
            window->close();
    });
}

} // namespace TestSupport
