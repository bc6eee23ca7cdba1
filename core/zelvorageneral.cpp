#include "zelvorageneral.h"

#include "elementen.h"
#include "ui/dialogs.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

QString NzStr(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return {};
    if (value.typeId() == QMetaType::Float)
        return QString::number(value.toFloat());
    return value.toString();
}

bool IsNumericValue(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return false;
    switch (value.typeId()) {
    case QMetaType::QString: {
        const QString s = value.toString().trimmed();
        if (s.isEmpty())
            return false;
        bool ok = false;
        QLocale().toDouble(s, &ok);
        if (!ok)
            QLocale::c().toDouble(s, &ok);
        return ok;
    }
    case QMetaType::QDateTime:
    case QMetaType::QDate:
        return false;
    default: {
        bool ok = false;
        value.toDouble(&ok);
        return ok;
    }
    }
}

namespace {

double numberOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? -1.0 : 0.0;
    if (value.typeId() == QMetaType::QString) {
        const QString s = value.toString().trimmed();
        bool ok = false;
        double d = QLocale().toDouble(s, &ok);
        if (!ok)
            d = QLocale::c().toDouble(s, &ok);
        return d;
    }
    return value.toDouble();
}

} // namespace

QVariant NzValue(const QVariant& value, int wantedType)
{
    if (!IsNumericValue(value)) {
        switch (wantedType) {
        case NzType::Single:
            return QVariant(0.0f);
        case NzType::Double:
            return QVariant(0.0);
        default:
            return QVariant(0);
        }
    }
    const double d = numberOf(value);
    switch (wantedType) {
    case NzType::Integer: {
        const double r = std::nearbyint(d);
        if (r < -32768 || r > 32767)
            return value;
        return QVariant(int(r));
    }
    case NzType::Long: {
        const double r = std::nearbyint(d);
        if (r < std::numeric_limits<qint32>::min() || r > std::numeric_limits<qint32>::max())
            return value;
        return QVariant(int(r));
    }
    case NzType::Single:
        return QVariant(float(d));
    case NzType::Double:
        return QVariant(d);
    default:
        if (value.typeId() == QMetaType::QString)
            return QVariant(d);
        return value;
    }
}

QString FormatTextId(qint32 id)
{
    // Digits fill the placeholders from the right; colons stay where they stand.
    static const QString pattern = "##:##:###:##";
    QString digits = QString::number(id < 0 ? -qint64(id) : qint64(id));
    QString out;
    int d = int(digits.size()) - 1;
    for (int i = int(pattern.size()) - 1; i >= 0; --i) {
        if (pattern[i] == '#') {
            if (d >= 0)
                out.prepend(digits[d--]);
        } else {
            out.prepend(pattern[i]);
        }
    }
    if (d >= 0)
        out.prepend(digits.left(d + 1));
    if (id < 0)
        out.prepend('-');
    return out;
}

QStringList LanguageNames()
{
    QStringList names;
    if (!appState().dbTaal)
        return names;
    try {
        RecordSet rs = languageDb().openRecordset("SELECT * FROM Lang ORDER BY ID");
        if (rs.findFirst("ID", 0))
            for (int f = 1; f < rs.fieldCount(); ++f)
                names << NzStr(rs.value(f));
    } catch (const AppError&) {
        names.clear();
    }
    return names;
}

namespace {

// The text as the language database holds it; "" when it has none.
QString storedText(qint32 id, qint16 language)
{
    RecordSet& rs = appState().rsTaal;
    if (!rs.isOpen())
        return {};
    const int column = rs.fieldIndex("Lang" + QString::number(language));
    if (column >= 0 && rs.findFirst("ID", id))
        return NzStr(rs.value(column));
    return {};
}

// The texts of the database layer's errors, by number.
constexpr std::pair<int, qint32> kDatabaseErrorTexts[] = {
    {JetError::ObjectNotSet, 999000180},
    {JetError::GeneralSql, 999000181},
    {JetError::UpdateWithoutEdit, 999000182},
    {JetError::NoCurrentRecord, 999000183},
    {JetError::DuplicateKey, 999000184},
    {JetError::FileNotFound, 999000185},
    {JetError::DiskFull, 999000186},
    {JetError::ReadOnly, 999000187},
    {JetError::TooFewParameters, 999000188},
    {JetError::SyntaxError, 999000189},
    {JetError::TableNotFound, 999000190},
    {JetError::RecordDeleted, 999000191},
    {JetError::Locked, 999000192},
    {JetError::ItemNotFound, 999000193},
    {JetError::FieldRequired, 999000194},
    {JetError::UnrecognizedFormat, 999000195},
    {JetError::NumericFieldOverflow, 999000196},
    {JetError::NotOpen, 999000197},
    {JetError::ConversionError, 999000198},
    {JetError::CannotRead, 999200002},
    {JetError::DiskFullOpening, 999200003},
    {JetError::ReadOnlyFolder, 999200004},
};

// Before the texts are open (a start that fails early) the English text
// stays; so it does for an error met while the text itself is looked up.
QString databaseErrorText(int number)
{
    static bool lookingUp = false;
    const auto entry = std::find_if(std::begin(kDatabaseErrorTexts), std::end(kDatabaseErrorTexts),
                                    [number](const auto& e) { return e.first == number; });
    if (lookingUp || entry == std::end(kDatabaseErrorTexts))
        return {};
    lookingUp = true;
    QString text;
    try {
        text = storedText(entry->second, appState().languageID);
    } catch (const AppError&) {
    }
    lookingUp = false;
    return text;
}

} // namespace

QString GetLangStr(qint32 id, qint16 language)
{
    const QString text = storedText(id, language);
    return text.isEmpty() ? FormatTextId(id) : text;
}

void OpenRsLang()
{
    AppState& s = appState();
    s.rsTaal.close();
    if (!s.dbTaal)
        return;
    try {
        s.rsTaal = languageDb().openRecordset(QString("SELECT ID, Lang%1 FROM Lang ORDER BY ID").arg(s.languageID));
    } catch (const AppError&) {
        s.rsTaal.close(); // a language without a column: texts show their IDs
    }
}

RecordSet OpenTeeltInstelling()
{
    const AppState& s = appState();
    RecordSet rs = growerDb().openTable("TEELT_Instelling", "ID_ALG_Tuinder = ? AND ID_HISTORIE = ?",
                                        {s.ID_ALG_Tuinder, s.ID_HISTORIE}, "ID");
    EnsureSettingRow(rs);
    return rs;
}

void EnsureSettingRow(RecordSet& rs)
{
    if (rs.recordCount() == 0) {
        rs.addNew();
        rs.setValue("ID_ALG_Tuinder", appState().ID_ALG_Tuinder);
        rs.setValue("ID_HISTORIE", appState().ID_HISTORIE);
        rs.update();
    }
    rs.moveFirst();
}

QVariant GetTeeltInstelling(const QString& column, int mode)
{
    RecordSet rs = OpenTeeltInstelling();
    switch (mode) {
    case InstellingMode::Text:
        return NzStr(rs.value(column));
    case InstellingMode::Number:
        return NzValue(rs.value(column));
    default:
        rs.value(column); // an unknown column is still an error
        return {};
    }
}

bool PutTeeltInstelling(const QString& column, const QVariant& value, int mode)
{
    if (mode != InstellingMode::Text && mode != InstellingMode::Number)
        return false;
    try {
        RecordSet rs = OpenTeeltInstelling();
        if (!rs.hasField(column))
            throw AppError(JetError::ItemNotFound, "TEELT_Instelling",
                           QString("Item not found in this collection: '%1'.").arg(column));
        rs.edit();
        rs.setValue(column, mode == InstellingMode::Text ? QVariant(NzStr(value)) : NzValue(value));
        rs.update();
        return true;
    } catch (const AppError& e) {
        if (e.number() == JetError::ItemNotFound)
            MessageBox::show(GetLangStr(999000050) + "\n" + column, MsgBox::Critical);
        else
            MessageBox::show(e.description(), MsgBox::Critical);
        return false;
    }
}

qint32 GetFirstTuinderID()
{
    RecordSet rs = growerDb().openTable("ALG_Tuinder", {}, {}, "ID");
    if (rs.recordCount() == 0) {
        rs.addNew();
        rs.update();
    }
    rs.moveFirst();
    return NzValue(rs.value("ID"), NzType::Long).toInt();
}

QString GetTeeltNaam(qint16 code)
{
    const RecordSet rs = referenceDb().openRecordset("SELECT * FROM TEELT WHERE Code = ?", {code});
    if (rs.recordCount() == 0)
        return {};
    return NzStr(rs.value("lang" + QString::number(appState().languageID)));
}

QString GetStadiumNaam(qint16 cropCode, qint16 stageCode)
{
    const RecordSet rs = referenceDb().openRecordset(
        "SELECT * FROM TEELT_Stadium_Lang WHERE Code_TEELT = ? AND Code = ?", {cropCode, stageCode});
    if (rs.recordCount() == 0)
        return GetLangStr(40300100);
    return NzStr(rs.value("lang" + QString::number(appState().languageID)));
}

namespace {

constexpr int kInvalidArgument = 5;

// Every column of the own crop's standard solution that is copied: the
// crop's elements, its pH and its EC.
const QStringList kStdVOplossingColumns = [] {
    QStringList columns;
    for (int p : Elementen::Teelt)
        columns << ElementNaam(p);
    return columns << "pH" << ElementNaam(ElementVector::pEC);
}();

} // namespace

bool CopieGewasT2H(qint16 code)
{
    AppState& s = appState();
    QString step;
    try {
        // The codes up to 1000 belong to the standard crops: a copy there would replace one of them.
        step = "Code = " + QString::number(code);
        if (code <= 1000)
            throw AppError(kInvalidArgument, "CopieGewasT2H",
                           QString("Code %1 is not the code of an own crop (own code + 1000).").arg(code));
        const qint32 own = qint32(code) - 1000;
        const QString nameColumn = "lang" + QString::number(s.languageID);

        step = "SELECT code, " + nameColumn + " FROM TEELT";
        RecordSet crops = growerDb().openRecordset("SELECT code, " + nameColumn + " FROM TEELT WHERE code = ?", {own});
        if (crops.recordCount() == 0) {
            // A deleted own crop keeps its copy: stored history sets still name it.
            step = "SELECT * FROM TEELT WHERE Code = " + QString::number(code);
            if (referenceDb().openRecordset("SELECT COUNT(*) FROM TEELT WHERE Code = ?", {code}).value(0).toInt() > 0)
                return true;
            throw AppError(JetError::NoCurrentRecord, "CopieGewasT2H",
                           QString("Own crop %1 is not in the grower database.").arg(own));
        }
        step = "SELECT Code_Teelt, ... FROM TEELT_StdVOplossing";
        RecordSet solutions = growerDb().openRecordset(
            "SELECT " + kStdVOplossingColumns.join(", ") + " FROM TEELT_StdVOplossing WHERE Code_Teelt = ?", {own});

        Transaction tx(referenceDb());
        step = "DELETE FROM TEELT WHERE Code = " + QString::number(code);
        referenceDb().execute("DELETE FROM TEELT WHERE Code = ?", {code});
        step = "DELETE FROM TEELT_StdVOplossing WHERE Code_TEELT = " + QString::number(code);
        referenceDb().execute("DELETE FROM TEELT_StdVOplossing WHERE Code_TEELT = ?", {code});

        step = "INSERT INTO TEELT (code, " + nameColumn + ")";
        for (int i = 0; i < crops.recordCount(); ++i) {
            crops.move(i);
            referenceDb().execute("INSERT INTO TEELT (code, " + nameColumn + ") VALUES (?, ?)", {code, crops.value(1)});
        }
        step = "INSERT INTO TEELT_StdVOplossing (Code_Teelt, " + kStdVOplossingColumns.join(", ") + ")";
        QStringList marks(kStdVOplossingColumns.size() + 1, "?");
        for (int i = 0; i < solutions.recordCount(); ++i) {
            solutions.move(i);
            QVariantList values{code};
            for (int c = 0; c < kStdVOplossingColumns.size(); ++c)
                values << solutions.value(c);
            referenceDb().execute("INSERT INTO TEELT_StdVOplossing (Code_Teelt, " + kStdVOplossingColumns.join(", ") +
                                      ") VALUES (" + marks.join(", ") + ")",
                                  values);
        }
        tx.commit();
        return true;
    } catch (const AppError& e) {
        LogAppError(e);
        MessageBox::show("mdlZelvoraGeneral.CopieGewasT2H:" + e.description() + " (" + step + ")", MsgBox::OkOnly);
        return false;
    }
}

void CreateMestPrefList(int which)
{
    Database& db = which == 0 ? referenceDb() : growerDb();
    Transaction tx(db);
    db.createTable("CREATE TABLE MEST_PrefList (ID INTEGER PRIMARY KEY AUTOINCREMENT, "
                   "Code_MEST SMALLINT NOT NULL DEFAULT 0, UseMeststof SMALLINT DEFAULT 0)");
    db.execute("CREATE INDEX Code_MEST ON MEST_PrefList (Code_MEST)");
    tx.commit();
}

void CheckMestPrefList(int which)
{
    try {
        Database* db = which == 0 ? appState().dbH.get() : appState().dbT.get();
        if (db && !db->tableExists("MEST_PrefList")) {
            CreateMestPrefList(which);
            CopieMestPrefList();
        }
    } catch (const AppError&) {
        // The list is an aid to the searches; without it every fertiliser is offered.
    }
}

namespace {

// The list's rows, code and switch, in one order whatever their IDs.
QList<QVariantList> prefListRows(Database& db)
{
    QList<QVariantList> rows;
    RecordSet rs = db.openRecordset("SELECT Code_MEST, UseMeststof FROM MEST_PrefList ORDER BY Code_MEST, UseMeststof");
    for (int i = 0; i < rs.recordCount(); ++i) {
        rs.move(i);
        rows << QVariantList{rs.value(0), rs.value(1)};
    }
    return rows;
}

} // namespace

bool CopieMestPrefList()
{
    try {
        if (!referenceDb().tableExists("MEST_PrefList"))
            CreateMestPrefList(0);
        // A grower database without a list of its own has switched nothing off:
        // its copy is empty, so that no earlier grower's choice stays behind.
        const QList<QVariantList> rows =
            growerDb().tableExists("MEST_PrefList") ? prefListRows(growerDb()) : QList<QVariantList>();
        // A copy that holds the list already is left alone: every start copies,
        // and the reference database may stand on media that cannot be written.
        if (prefListRows(referenceDb()) == rows)
            return true;
        Transaction tx(referenceDb());
        referenceDb().execute("DELETE FROM MEST_PrefList");
        for (const QVariantList& row : rows)
            referenceDb().execute("INSERT INTO MEST_PrefList (Code_MEST, UseMeststof) VALUES (?, ?)", row);
        tx.commit();
        return true;
    } catch (const AppError&) {
        return false;
    }
}

// A few tables each database cannot be without: a file that lacks them is
// not the database the program takes it for (an empty file, another
// program's file) and is refused before anything is written into it.
const QStringList& RequiredTables(WhichDatabase which)
{
    static const QStringList grower = {"ALG_Tuinder", "TEELT_Instelling", "WATER", "MAT"};
    static const QStringList reference = {"MEST", "MEST_Meststof", "TEELT", "TEELT_StdVOplossing"};
    static const QStringList language = {"Lang"};
    switch (which) {
    case WhichDatabase::Grower:
        return grower;
    case WhichDatabase::Reference:
        return reference;
    case WhichDatabase::Language:
        break;
    }
    return language;
}

void OpenLanguageDb()
{
    AppState& s = appState();
    s.rsTaal.close();
    s.dbTaal.reset();
    // Only read: the file may stand where the program cannot write, and it
    // stays byte for byte as it was.
    s.dbTaal = std::make_unique<Database>(s.AppPath + "PlomLang.mdb", DatabasePassword,
                                          DatabaseOptions{true, RequiredTables(WhichDatabase::Language)});
    // From here on a database error reads in the user's language.
    SetDatabaseErrorTexts(databaseErrorText);
}

void OpenReferenceDb()
{
    AppState& s = appState();
    s.dbH.reset();
    s.dbH = std::make_unique<Database>(s.AppPath + s.HDatabaseNaam, DatabasePassword,
                                       DatabaseOptions{false, RequiredTables(WhichDatabase::Reference)});
}

void OpenTuinderDb()
{
    AppState& s = appState();
    s.dbT.reset();
    s.dbT = std::make_unique<Database>(s.AppPath + s.TDatabaseNaam, QString(),
                                       DatabaseOptions{false, RequiredTables(WhichDatabase::Grower)});
    if (s.dbH)
        CopieMestPrefList();
}

qint16 AskSaveChanges(bool changed)
{
    if (!changed)
        return MsgBox::No;
    return qint16(MessageBox::show(GetLangStr(999000019), MsgBox::YesNo));
}
