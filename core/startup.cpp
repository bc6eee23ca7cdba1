#include "startup.h"

#include "appstate.h"
#include "general.h"
#include "programsettings.h"
#include "registry/registry.h"
#include "zelvorageneral.h"

#include <QCoreApplication>
#include <QDir>
#include <cmath>

namespace {

// A settings value that must be a 16-bit number.
qint16 toInteger(const QString& text, const QString& what)
{
    if (!IsNumericValue(text))
        throw AppError(13, "Main", QString("%1 is not a number: \"%2\".").arg(what, text));
    const QVariant v = NzValue(text, NzType::Integer);
    if (v.typeId() != QMetaType::Int)
        throw AppError(JetError::Overflow, "Main",
                       QString("%1 is not a number from -32768 to 32767: \"%2\".").arg(what, text));
    return qint16(v.toInt());
}

QString ensureSeparator(QString path)
{
    if (!path.endsWith(QDir::separator()))
        path += QDir::separator();
    return path;
}

} // namespace

QString GetAppPath()
{
    return ensureSeparator(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
}

void SetCommandLine(const QStringList& arguments)
{
    appState().CommandLine = arguments.join(' ');
}

QString GetCommandArg(const QString& name)
{
    const QString line = appState().CommandLine;
    if (name.isEmpty())
        return line;
    const QString cmd = line.trimmed();
    // Split at every "/" that stands first or after a blank.
    QStringList parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i < cmd.size(); ++i)
        if (cmd[i] == '/' && (i == 0 || cmd[i - 1] == ' ')) {
            parts << cmd.mid(start, i - start);
            start = i + 1;
        }
    if (parts.isEmpty())
        return {};
    parts << cmd.mid(start);
    for (const QString& part : parts) {
        if (part.startsWith(name + "=", Qt::CaseInsensitive) || part.startsWith(name + " =", Qt::CaseInsensitive)) {
            const QString t = part.trimmed();
            return t.mid(t.indexOf('=') + 1).trimmed();
        }
    }
    return {};
}

QString HelpFilePath()
{
    const AppState& s = appState();
    return s.AppPath + (ProgramSettings::mixoraWaardig() ? "ZVm" : "ZVz") + QString::number(s.languageID) + ".chm";
}

QString ProgramSettingsKey()
{
    return "Software\\VB and VBA Program Settings\\Zelvora\\" + appState().AppNaam;
}

bool StartUp()
{
    AppState& s = appState();
    if (s.TDatabaseNaam.isEmpty())
        s.TDatabaseNaam = "ZelvoraT.mdb";
    if (s.HDatabaseNaam.isEmpty())
        s.HDatabaseNaam = "ZelvoraH.mdb";
    s.AppNaam = "Zelvora";

    s.AppPath = GetAppPath();
    Registry::writeString(RegistryHive::CurrentUser, ProgramSettingsKey(), "appPath", s.AppPath);

    const QString path = GetCommandArg("Path");
    if (!path.isEmpty())
        s.AppPath = ensureSeparator(path);

    const bool splash = GetCommandArg("nosplash") != "yes";

    s.languageID = ProgramSettings::languageID();
    s.UnitID = ProgramSettings::unitID();

    OpenLanguageDb();
    // A language the texts have no column for would show every caption as
    // its number; like an unknown unit, it falls back to the first one. The
    // file keeps its value until the user picks a language.
    if (s.languageID < 0 || s.languageID >= LanguageNames().size())
        s.languageID = 0;
    OpenRsLang();

    const QVariant order = NzValue(GetCommandArg("GeenBestelling"));
    s.GeenBestelling = toInteger(order.toString(), "The start switch /GeenBestelling");

    s.KiesTuinder = GetCommandArg("KiesTuinder").toUpper() == "TRUE" ? 1 : 0;

    s.HelpFile = HelpFilePath();
    return splash;
}
