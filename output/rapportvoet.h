#pragma once

#include <QString>
#include <functional>

class PrintDocument;

// What every report of the program ends with, and how a report reaches the
// print preview.

// The logo in the bottom right corner (its right edge in the margin) and the
// program's version in small print at the given place (twips); then the
// document is finished.
void RapportVoet(PrintDocument& doc, int links, int boven);

// Draws a report into a fresh document and hands it to the print preview.
// A failure is shown as a critical message after the text foutTekst, and the
// preview keeps the document it had, so no half-drawn report is ever shown.
bool TekenVoorVoorbeeld(qint32 foutTekst, const std::function<void(PrintDocument&)>& teken);
