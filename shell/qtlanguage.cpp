#include "qtlanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {
QTranslator*& installed()
{
    static QTranslator* translator = nullptr;
    return translator;
}
} // namespace

QString QtLanguageName(qint16 languageID)
{
    // The order of the language columns in the language database.
    switch (languageID) {
    case 0:
        return "nl";
    case 1:
        return "en";
    default:
        return {};
    }
}

bool SetQtLanguage(qint16 languageID)
{
    QTranslator*& current = installed();
    if (current) {
        QCoreApplication::removeTranslator(current);
        delete current;
        current = nullptr;
    }
    const QString name = QtLanguageName(languageID);
    if (name.isEmpty())
        return false;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load("qtbase_" + name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    current = translator;
    return true;
}
