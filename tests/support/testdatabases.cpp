#include "testdatabases.h"

#include "dbbuilder.h"
#include "ui/dialogs.h"

namespace TestSupport {

void makeDefaultDatabases(const QString& dir)
{
    DbBuilder::buildDefaults(ZELVORA_DATA_DIR, dir, true);
}

void scriptDialogs()
{
    MessageBox::setScripted(true);
    MessageBox::clear();
    InputBox::clear();
    FileDialog::clear();
}

bool ciRun()
{
    const QString ci = qEnvironmentVariable("CI").trimmed();
    return !ci.isEmpty() && ci.compare(QLatin1String("false"), Qt::CaseInsensitive) != 0 && ci != "0";
}

} // namespace TestSupport
