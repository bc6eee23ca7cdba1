#pragma once

#include <QString>
#include <QtGlobal>

// Typed access to the program's settings file "Zelvora.ini" in AppPath. Each
// key is parsed in one place. Reading a key that is missing or empty writes a
// non-empty default back, as GetIniString does; keys whose default is empty
// are only read.
namespace ProgramSettings {

QString filePath();

// True when the file is there but cannot be read: a write into it then fails
// and keeps it, though the disk has room.
bool fileUnreadable();

// [language] languageID and [Unit] UnitID. Throw AppError (overflow) when the
// value is not a 16-bit number. A unit other than 0 to 3 reads as 0 (mmol), a
// language number with a fraction as 0 (the first language).
qint16 languageID();
qint16 unitID();
bool setLanguageID(qint16 id);
bool setUnitID(qint16 id);

// [Algemeen] MixoraWaardig: the product-line mode. Read as a 16-bit number;
// only 1 is on, anything else (also text) is off.
bool mixoraWaardig();
bool setMixoraWaardig(bool on);

// [Algemeen] MailType: 1 the desktop's mail program (default), 0 the built-in
// SMTP client, anything else sends no mail. Text reads as 0.
qint16 mailType();
bool setMailType(qint16 type);

// [Algemeen] SMTPservername: "host" or "host:port"; empty by default.
QString smtpServerName();
bool setSmtpServerName(const QString& name);

// [Algemeen] Advisor: the name in the report's note; empty by default.
QString advisor();
bool setAdvisor(const QString& name);

// [Algemeen] AfwijkingBestelmarge: the order margin in per cent, default 10;
// 0 (and anything that is not a positive number) counts as 10.
qint16 afwijkingBestelmarge();

} // namespace ProgramSettings
