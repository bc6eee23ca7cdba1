#pragma once

#include "bestelrecord.h"
#include "clsprintmeststofmeststof.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The order file: the order header and one line per fertiliser line of the
// recipe, read by the dealer's software. Windows-1252 text with CR LF line
// ends; every value is followed by ";;", numbers in the general format with
// the user's decimal separator.
//
// A text value can hold neither the separator nor a line break without
// shifting every field after it for the reader, so ";" is written as "," and
// a line break (CR LF, CR or LF) as one blank.
//
// kind 1 (the only one the order uses) writes path + ".zv1"; any other kind
// writes nothing and fails. The file is written under a temporary name beside
// it and renamed into place when complete, so an earlier file of the same
// name is replaced only by a whole one and a failed write leaves nothing
// behind. Returns 0 when the file is in place, 1 when it could not be written.
qint16 SchrijfBestelBestand(qint16 kind, const BestelRecord& bestel, const QList<clsPrintMeststofMeststof>& lijnen,
                            const QString& path);

// The file's contents as SchrijfBestelBestand writes them.
QByteArray BestelBestandInhoud(const BestelRecord& bestel, const QList<clsPrintMeststofMeststof>& lijnen);
