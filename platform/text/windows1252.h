#pragma once

#include <QByteArray>
#include <QString>

// The single-byte code page of the Windows program: the order file the
// dealer's software reads, and settings files made on Windows, are in it.
// Written out here so that it does not depend on the codecs Qt was built with.
namespace Windows1252 {

QString decode(const QByteArray& bytes);

// Encoding and its check take the text composed (NFC): a letter given as its
// base and a combining mark is the code page's one letter where it has one.

// A character the code page lacks becomes "?".
QByteArray encode(const QString& text);

// The characters of text the code page lacks, each once, in the order they
// first occur; empty when the whole text can be encoded.
QString missing(const QString& text);

} // namespace Windows1252
