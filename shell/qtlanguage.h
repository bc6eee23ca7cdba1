#pragma once

#include <QString>
#include <QtGlobal>

// Qt's own texts (the standard buttons Yes, No, Cancel, the file dialog)
// follow the program's language: language 0 is Dutch, 1 English. Replaces the
// translation loaded before. Returns false when Qt's translation of that
// language is not installed; the standard texts are then Qt's English ones.
bool SetQtLanguage(qint16 languageID);

// The locale name of Qt's translation for a language of the program ("nl",
// "en"), or "" when the program knows none.
QString QtLanguageName(qint16 languageID);
