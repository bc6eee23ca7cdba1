// Database layer: opening the default databases, reading a large record set,
// and many single-column updates of one settings row.
#include "benchutil.h"
#include "db/database.h"
#include "db/recordset.h"
#include "dbbuilder.h"

#include <QCoreApplication>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    DbBuilder::buildDefaults(ZELVORA_DATA_DIR, dir.path(), true);

    report("open the three default databases (median of 50)",
           medianMs(50,
                    [&] {
                        Database h(dir.filePath("ZelvoraH.mdb"), ";pwd=qzmwRV61");
                        Database t(dir.filePath("ZelvoraT.mdb"));
                        Database l(dir.filePath("PlomLang.mdb"), ";pwd=qzmwRV61");
                    }),
           "< 20 ms");

    Database t(dir.filePath("ZelvoraT.mdb"));
    {
        Transaction tx(t);
        for (int i = 0; i < 10000; ++i)
            t.execute("INSERT INTO WATER (ID_ALG_Tuinder, ID_HISTORIE, Type, Perc, NH4, K, Ca) VALUES (1, ?, 1, 50, "
                      "0.1, 0.2, 0.3)",
                      {i + 1});
        tx.commit();
    }
    int rows = 0;
    report("read a 10,000-row record set (median of 20)",
           medianMs(20,
                    [&] {
                        RecordSet rs = t.openRecordset("SELECT * FROM WATER");
                        rows = rs.recordCount();
                    }),
           "< 20 ms");
    if (rows != 10000)
        return 1;

    t.execute("INSERT INTO TEELT_Instelling (ID_ALG_Tuinder, ID_HISTORIE) VALUES (1, 0)");
    report("1,000 single-column updates of a settings row",
           medianMs(
               1,
               [&] {
                   for (int i = 0; i < 1000; ++i) {
                       RecordSet rs = t.openTable("TEELT_Instelling", "ID_ALG_Tuinder = ? AND ID_HISTORIE = ?", {1, 0});
                       rs.edit();
                       rs.setValue("BakGrootte", i);
                       rs.update();
                   }
               }),
           "< 200 ms");
    return 0;
}
