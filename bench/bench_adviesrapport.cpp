// The advice report of the default tomato recipe on rain water: the recipe
// computed by the engine on the default databases, its advice steps stored as
// the advice window stores them, the tank lines built as the composition
// window builds them, and the report drawn and written as a PDF file, as the
// print button of the mail and print step does before the preview shows.
#include "advies.h"
#include "appstate.h"
#include "benchutil.h"
#include "defaultstate.h"
#include "documentrenderer.h"
#include "elementen.h"
#include "hoeveelheid.h"
#include "mdlzelvoraprint.h"
#include "printdocument.h"
#include "programsettings.h"
#include "recept.h"
#include "ui/dialogs.h"
#include "zelvorageneral.h"

#include <QApplication>
#include <cmath>

namespace {

void bewaar(const char* tabel, qint16 type, const ElementVector& v, const QVariant& ec = {})
{
    QVariantMap kolommen{{"Type", type}};
    for (int p : Elementen::Advies)
        kolommen.insert(ElementNaam(p), v[p]);
    if (ec.isValid())
        kolommen.insert("Ec", ec);
    TestSupport::insertWorkingSetRow(tabel, kolommen);
}

QList<clsPrintMeststofMeststof> tomatenRecept()
{
    AppState& s = appState();
    TestSupport::chooseTomatoExample();

    BerekenInstellingen settings;
    settings.Code_Teelt = 1;
    settings.Aanpassing = 1;
    settings.WaterInputType = 1;
    settings.BakGrootte = 1000;
    settings.Concentratie = 100;
    ElementVector t1, advies;
    WaterRecord waterDeel, drainDeel;
    LaadBerekeningInvoer(s.StreefWaarden, s.AdviesAanpassing, t1, advies, waterDeel, drainDeel, s.StreefGecorrigeerd,
                         settings);
    PutTeeltInstelling("AmoniumAanpassing", settings.AmoniumAanpassing, InstellingMode::Number);
    bewaar("HISTORIE_Advies", 20, s.StreefWaarden, {s.StreefWaarden.EC});
    bewaar("HISTORIE_Advies", 40, s.AdviesAanpassing, {0});
    bewaar("HISTORIE_Advies", 60, advies, {advies.EC});
    bewaar("HISTORIE_Advies", 80, waterDeel.Elementen, {waterDeel.Elementen.EC});
    bewaar("HISTORIE_Advies", 100, drainDeel.Elementen, {drainDeel.Elementen.EC});

    ElementVector ecDoel, bakDoel, resultaat;
    MeststofLijst lijst{};
    BerekenMeststoffen(s.StreefWaarden, s.StreefGecorrigeerd, ecDoel, bakDoel, lijst, resultaat, settings);
    bewaar("HISTORIE_StandaardBakEC", 1, ecDoel);

    QList<clsPrintMeststofMeststof> lijnen;
    for (int k = 1; k <= kLijstBoven; ++k) {
        const MeststofRecord& m = lijst[k];
        if (std::fabs(m.Hoeveelheid) <= 0.5f)
            continue;
        if (m.Bak != 1 && m.Bak != 2 && m.Bak != 10 && m.Bak != 100 && m.Bak != 101)
            continue;
        clsPrintMeststofMeststof l;
        l.Nr = m.Code_MEST;
        l.Naam = m.Naam;
        l.Bak = m.Bak;
        l.Eenheid = GetEenheid(nullptr, m);
        l.Hoeveelheid = FormatHoeveelheid(nullptr, m);
        lijnen << l;
    }
    return lijnen;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationVersion("1.0.0");
    const auto dir = TestSupport::openDefaultState();
    if (qEnvironmentVariableIsSet("BENCH_KEEP_PDF"))
        dir->setAutoRemove(false), qWarning("%s", qPrintable(dir->path()));
    ProgramSettings::setAdvisor("J. de Vries");

    const QList<clsPrintMeststofMeststof> lijnen = tomatenRecept();
    BestelRecord adres;
    adres.Naam = "Kwekerij De Groene Kas";
    adres.Adres = "Kasweg 12";
    adres.Postcode = "2671 AB";
    adres.Woonplaats = "Naaldwijk";
    const QString pdf = dir->filePath("advies.pdf");

    PrintDocument doc;
    auto teken = [&] { TekenAdviesRapport(doc, lijnen, nullptr, "Tomaat, eerste teelt", adres); };
    teken(); // fonts loaded before timing
    writePdf(doc, pdf);

    report("advice report drawn from the databases", medianMs(30, teken), "-");
    report("advice report drawn and written as PDF",
           medianMs(30,
                    [&] {
                        teken();
                        writePdf(doc, pdf);
                    }),
           "< 300 ms");
    return 0;
}
