#include "mdlgenzoeken.h"

#include "appstate.h"
#include "com/createobject.h"
#include "general.h"
#include "zelvorageneral.h"

#include <functional>

#include <QDir>
#include <QFileInfo>
#include <QObject>
#include <memory>

namespace {

const QString SearchClass = "Tabvin.Zoeken";

// The window's text line that says what its check box chkTekst does, and the language text for it.
constexpr int ChkTekstLine = 5;
constexpr qint32 ChkTekstText = 10500000;

// The search library that stands beside the program serves its searches, as
// an installer's registration would make it: it is registered when the class
// is not, when the registered file is gone, and when the registration names
// another copy (another program folder), so a copy of the program uses its
// own library. Without a library beside the program the registration stands.
void RegisterLibraryBesideProgram()
{
    const QFileInfo beside(appState().AppPath + "libTabvin.so");
    if (!beside.isFile())
        return;
    const QFileInfo registered(ComClass::registeredLibrary(SearchClass));
    if (registered.exists() && registered.canonicalFilePath() == beside.canonicalFilePath())
        return;
    // A registration that fails leaves the one there was; creating the class then says what is missing.
    if (const QString failure = ComClass::registerServer(beside.absoluteFilePath()); !failure.isEmpty())
        qWarning("%s", qPrintable(failure));
}

enum class Next { Continue, Leave };

// Runs one step of the search under the error-dialog protocol: a failure is
// passed over silently when expected, else the user chooses Retry (go on with
// the next step) or Cancel (leave).
template <typename F> Next step(F f)
{
    qint16& marker = appState().ZoekFoutMarker;
    try {
        f();
    } catch (const AppError& e) {
        ErrorHandler(marker, e);
        if (marker == 999) {
            marker = 0;
            return Next::Leave;
        }
        marker = 0;
    }
    return Next::Continue;
}

void require(bool ok, const char* what)
{
    if (!ok)
        throw AppError(438, "Tabvin.Zoeken", QString("Object doesn't support this property or method: %1").arg(what));
}

} // namespace

qint32 ShowSearchTable(const QStringList& headers, const QString& query, qint32 initialId, const QString& caption,
                       const QString& databasePath)
{
    AppState& s = appState();
    std::unique_ptr<QObject> search;
    // Creating the component: Retry tries again, Cancel gives no choice.
    while (!search) {
        try {
            RegisterLibraryBesideProgram();
            search.reset(CreateObject(SearchClass));
        } catch (const AppError& e) {
            ErrorHandler(s.ZoekFoutMarker, e);
            if (s.ZoekFoutMarker != 0) {
                s.ZoekFoutMarker = 0;
                return 0;
            }
        }
    }

    QObject* headerList = search->property("Headers").value<QObject*>();
    for (const QString& header : headers)
        if (step([&] {
                require(headerList && QMetaObject::invokeMethod(headerList, "Add", Q_ARG(QString, header)),
                        "Headers.Add");
            }) == Next::Leave)
            return 0;
    QObject* textLines = search->property("TekstRegels").value<QObject*>();
    if (step([&] {
            require(textLines && QMetaObject::invokeMethod(textLines, "Add", Q_ARG(int, ChkTekstLine),
                                                           Q_ARG(QString, GetLangStr(ChkTekstText))),
                    "TekstRegels.Add");
        }) == Next::Leave)
        return 0;

    s.ZoekFoutMarker = 9999;
    QString name = s.ZoekDatabase;
    QString directory = s.AppPath;
    if (!databasePath.isEmpty()) {
        const qsizetype at = databasePath.lastIndexOf(QDir::separator());
        if (at >= 0) {
            name = databasePath.mid(at + 1);
            directory = databasePath.left(at + 1);
        } else {
            name = databasePath;
        }
    }
    bool accepted = false;
    const std::function<void()> steps[] = {
        [&] { require(search->setProperty("ID", initialId), "ID"); },
        [&] { require(search->setProperty("Caption", caption), "Caption"); },
        [&] { require(search->setProperty("DatabaseName", name), "DatabaseName"); },
        [&] { require(search->setProperty("DatabaseDirectory", directory), "DatabaseDirectory"); },
        [&] { require(search->setProperty("Query", query), "Query"); },
        [&] { require(QMetaObject::invokeMethod(search.get(), "Show", Q_RETURN_ARG(bool, accepted)), "Show"); },
    };
    for (const auto& f : steps)
        if (step(f) == Next::Leave)
            return 0;
    s.ZoekFoutMarker = 0;
    // Only a row the user accepted is a choice.
    return accepted ? search->property("ID").toInt() : 0;
}
