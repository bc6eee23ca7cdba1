#include "programsettings.h"

#include "appstate.h"
#include "general.h"
#include "ini/inifile.h"
#include "zelvorageneral.h"

namespace ProgramSettings {

namespace {

QString read(const char* section, const char* key, const char* defaultValue)
{
    return GetIniString(section, key, filePath(), defaultValue);
}

bool write(const char* section, const char* key, QString value)
{
    return WriteIniString(value, section, key, filePath()) != 0;
}

// The value as a 16-bit number; text and empty values read as 0.
qint16 small(const QString& value)
{
    const QVariant v = NzValue(value, NzType::Integer);
    return v.typeId() == QMetaType::Int ? qint16(v.toInt()) : 0;
}

// Start-up stops on a language or unit that is no 16-bit number, rather than
// guessing one.
qint16 strictSmall(const QString& value, const char* what)
{
    const QString name = QString("The setting %1 of %2").arg(what, filePath());
    if (!IsNumericValue(value))
        throw AppError(13, "Main", QString("%1 is not a number: \"%2\".").arg(name, value));
    const QVariant v = NzValue(value, NzType::Integer);
    if (v.typeId() != QMetaType::Int)
        throw AppError(JetError::Overflow, "Main",
                       QString("%1 is not a number from -32768 to 32767: \"%2\".").arg(name, value));
    return qint16(v.toInt());
}

} // namespace

QString filePath()
{
    return appState().AppPath + "Zelvora.ini";
}

bool fileUnreadable()
{
    return IniFile::unreadable(filePath());
}

qint16 languageID()
{
    const QString value = read("language", "languageID", "0");
    const qint16 language = strictSmall(value, "[language] languageID");
    // Rounding 1.5 would pick a language nobody chose.
    return NzValue(value, NzType::Double).toDouble() == language ? language : qint16(0);
}

qint16 unitID()
{
    // A unit the program does not know would show every value as 0 under an
    // empty label; the values are shown in mmol instead.
    const qint16 unit = strictSmall(read("Unit", "UnitID", "0"), "[Unit] UnitID");
    return unit >= 0 && unit <= 3 ? unit : qint16(0);
}

bool setLanguageID(qint16 id)
{
    return write("language", "languageID", QString::number(id));
}

bool setUnitID(qint16 id)
{
    return write("Unit", "UnitID", QString::number(id));
}

bool mixoraWaardig()
{
    return small(read("Algemeen", "MixoraWaardig", "0")) == 1;
}

bool setMixoraWaardig(bool on)
{
    return write("Algemeen", "MixoraWaardig", on ? "1" : "0");
}

qint16 mailType()
{
    return small(read("Algemeen", "MailType", "1"));
}

bool setMailType(qint16 type)
{
    return write("Algemeen", "MailType", QString::number(type));
}

QString smtpServerName()
{
    return read("Algemeen", "SMTPservername", "");
}

bool setSmtpServerName(const QString& name)
{
    return write("Algemeen", "SMTPservername", name);
}

QString advisor()
{
    return read("Algemeen", "Advisor", "");
}

bool setAdvisor(const QString& name)
{
    return write("Algemeen", "Advisor", name);
}

qint16 afwijkingBestelmarge()
{
    const qint16 margin = small(read("Algemeen", "AfwijkingBestelmarge", "10"));
    return margin > 0 ? margin : qint16(10);
}

} // namespace ProgramSettings
