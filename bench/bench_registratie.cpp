// The order register of one grower with 10,000 orders of eight fertilisers
// each over two seasons: the sums over the whole register per fertiliser and
// per element, as the register window refreshes them, and a list of 1,000
// lines drawn and written as a PDF file, as its print button does before the
// preview shows.
#include "appstate.h"
#include "benchutil.h"
#include "defaultstate.h"
#include "documentrenderer.h"
#include "printbestelling.h"
#include "printdocument.h"
#include "registratie.h"
#include "ui/dialogs.h"
#include "zelvorageneral.h"

#include <QApplication>

namespace {

struct Lijn {
    qint32 code;
    const char* naam;
    double hoeveelheid;
    const char* eenheid;
};
const Lijn kOrder[] = {{1, "Kalksalpeter", 850.5, "kg"},        {3, "Kalisalpeter", 420.0, "kg"},
                       {4, "Monokalifosfaat (MKP)", 150, "kg"}, {6, "Bitterzout", 310.2, "kg"},
                       {22, "Kaliloog 50 %", 45.5, "liter"},    {101, "Fe-DTPA 3 % vloeibaar", 2500, "ml"},
                       {105, "Mangaansulfaat", 600, "gram"},    {114, "Natriummolybdaat", 40, "gram"}};

void vulRegister(int orders, const QDate& eerste)
{
    Database& db = growerDb();
    Transaction t(db);
    for (int i = 0; i < orders; ++i) {
        const QDateTime datum(eerste.addDays(i % 730), QTime(8 + i % 10, i % 60));
        db.execute("INSERT INTO BEST_Hist (ID_ALG_Tuinder, ID_ALG_Afleveradres, Datum) VALUES (?, 1, ?)",
                   {appState().ID_ALG_Tuinder, datum});
        const qint64 id = db.lastInsertRowId();
        for (const Lijn& l : kOrder)
            db.execute("INSERT INTO BEST_Meststoffen (ID_BEST_Hist, Code_Meststof, NaamMeststof, Hoeveelheid, "
                       "Eenheid) VALUES (?, ?, ?, ?, ?)",
                       {id, l.code, l.naam, l.hoeveelheid, l.eenheid});
    }
    t.commit();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationVersion("1.0.0");
    const auto dir = TestSupport::openDefaultState();

    const QDate eerste(2023, 1, 1);
    vulRegister(10000, eerste);
    const Periode alles{eerste, eerste.addDays(730)};
    const qint32 tuinder = appState().ID_ALG_Tuinder;

    report("register of 10,000 orders summed per fertiliser",
           medianMs(21, [&] { Registratie::TotaalPerMeststof(tuinder, alles); }), "< 100 ms");
    report("register of 10,000 orders summed per element",
           medianMs(21, [&] { Registratie::TotaalPerElement(tuinder, alles); }), "< 100 ms");

    QList<RegisterRij> rijen;
    for (int i = 1; i <= 1000; ++i)
        rijen.append({i, QString("Meststof %1").arg(i), 12.5 * i, i % 3 ? "kg" : "liter"});
    const QString pdf = dir->filePath("register.pdf");
    PrintDocument doc;
    auto teken = [&] { TekenBestelling(doc, rijen, Registratie::PerMeststof, "1-1-2023", "31-12-2024"); };
    teken(); // fonts loaded before timing
    writePdf(doc, pdf);
    report("list of 1,000 orders drawn", medianMs(11, teken), "-");
    report("list of 1,000 orders drawn and written as PDF",
           medianMs(11,
                    [&] {
                        teken();
                        writePdf(doc, pdf);
                    }),
           "< 1000 ms");
    return 0;
}
