#include "general.h"

#include "ini/inifile.h"
#include "registry/registry.h"
#include "ui/dialogs.h"
#include "zelvorageneral.h"

#include <QDir>
#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <optional>

void ErrorHandler(qint16& marker, const AppError& err)
{
    if (marker == 9999) {
        marker = 99;
        return;
    }
    // The grower reads a plain description; the statement and the driver's
    // text are for whoever debugs.
    LogAppError(err);
    // A non-negative number is written with a leading blank, as the old dialog did.
    const QString number = err.number() >= 0 ? " " + QString::number(err.number()) : QString::number(err.number());
    const QString text = "Nummer: " + number + "\nBron: " + err.source() + "\n" + err.description();
    const int answer = MessageBox::show(text, MsgBox::RetryCancel | MsgBox::Exclamation, "Melding");
    marker = answer == MsgBox::Retry ? 0 : 999;
}

namespace {

double toDouble(const QVariant& v)
{
    return NzValue(v, NzType::Double).toDouble();
}

bool nearlyEqual(double a, double b, float tolerance, bool scaleFromA)
{
    int e = 0;
    if (scaleFromA && a != 0)
        e = int(std::nearbyint(std::log(std::fabs(a)) / std::log(10.0)));
    return std::fabs(b - a) < double(tolerance) / 100.0 * std::pow(10.0, e);
}

} // namespace

bool IsNearlyEqual(const QVariant& a, const QVariant& b, float tolerance)
{
    const double x = toDouble(a);
    return nearlyEqual(x, toDouble(b), tolerance, true);
}

bool IsNearlyEqualNZ(const QVariant& a, const QVariant& b, float tolerance)
{
    const double x = toDouble(a), y = toDouble(b);
    return nearlyEqual(x, y, tolerance, x != 0 && y != 0);
}

QString GetDecimalSeparator()
{
    return QLocale().decimalPoint();
}

QString GetIniString(const QString& section, const QString& key, const QString& file, const QString& defaultValue)
{
    const QString value = IniFile::read(file, section, key);
    if (value.isEmpty() && !defaultValue.isEmpty()) {
        QString d = defaultValue;
        WriteIniString(d, section, key, file);
        return d;
    }
    return value;
}

qint16 WriteIniString(QString& value, const QString& section, const QString& key, const QString& file)
{
    value = value.trimmed();
    return IniFile::write(file, section, key, value) ? 1 : 0;
}

namespace {

std::optional<RegistryHive> hiveOf(qint32 root)
{
    if (root == 0 || root == HKEY_CURRENT_USER)
        return RegistryHive::CurrentUser;
    if (root == HKEY_LOCAL_MACHINE)
        return RegistryHive::LocalMachine;
    return std::nullopt;
}

// %NAME% is replaced by the environment variable; unknown names stay as written.
QString expandEnvironment(const QString& text)
{
    static const QRegularExpression var("%([^%]+)%");
    QString out;
    qsizetype last = 0;
    for (auto it = var.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out += text.mid(last, m.capturedStart() - last);
        const QString name = m.captured(1);
        out += qEnvironmentVariableIsSet(name.toLocal8Bit()) ? qEnvironmentVariable(name.toLocal8Bit()) : m.captured(0);
        last = m.capturedEnd();
    }
    return out + text.mid(last);
}

} // namespace

qint32 ReadRegValue(qint32 root, const QString& keyPath, const QString& valueName, QVariant& value)
{
    const auto hive = hiveOf(root);
    if (!hive)
        return 6; // invalid handle
    const auto v = Registry::read(*hive, keyPath, valueName);
    if (!v)
        return ERROR_FILE_NOT_FOUND;
    switch (v->type) {
    case RegistryValue::String:
        value = v->value.toString();
        return 0;
    case RegistryValue::ExpandString:
        value = expandEnvironment(v->value.toString());
        return 0;
    case RegistryValue::DWord:
        value = v->value.toUInt();
        return 0;
    }
    return -1;
}

QString GetRegString(const QString& keyPath, const QString& valueName, qint32 root)
{
    QVariant value;
    if (ReadRegValue(root, keyPath, valueName, value) != 0)
        return {};
    return value.toString();
}

QString GetFileName(const QString& path)
{
    const qsizetype at = path.lastIndexOf(QDir::separator());
    return at < 0 ? path : path.mid(at + 1);
}
