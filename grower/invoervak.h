#pragma once

#include "db/apperror.h"
#include "general.h"
#include "invoergetal.h"

#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class QLineEdit;
class QWidget;

namespace Bereik {
// A water source's share in the mix, in per cent.
inline constexpr InvoerBereik Aandeel{0, 100, 0, false};
// The total of the three shares (shown only).
inline constexpr InvoerBereik AandeelTotaal{0, 300, 0, false};
// A quick-entry reading: its column holds a 16-bit integer.
inline constexpr InvoerBereik Aflezing{0, 32767, 0, true};
inline constexpr InvoerBereik EC{0, 100, 2, false};
inline constexpr InvoerBereik Ph{0, 14, 2, false};
} // namespace Bereik

// The highest content of an element that a box accepts, in the calculation
// unit: mmol per litre, for a trace element µmol per litre.
double HoogsteGehalte(int positie);
// The range of an element's box in the current display unit.
InvoerBereik ElementBereik(int positie);
// The range laagste to hoogste of an element, given in the calculation unit,
// in the current display unit.
InvoerBereik GehalteBereik(int positie, double laagste, double hoogste);
// The range of an element's box in the display unit where its highest
// content reads longest; the box is made wide enough for that.
InvoerBereik BreedsteElementBereik(int positie);

// The width (pixels) that a box placed in plaats needs to show every number
// of the ranges whole, at least minimum.
int InvoerBreedte(const QWidget* plaats, const QList<InvoerBereik>& bereiken, int minimum = 0);

// Takes the selection from a box that loses the focus to another window; it
// is selected again when the focus comes back.
void HideSelection(QLineEdit* box, Qt::FocusReason reason);

// What the value boxes of the water, trace-element and drain windows share:
// the whole text is selected when a box gets the focus, and the window hears
// when a box loses it (where it reads what the user typed).
class InvoerVakFocus : public QObject {
public:
    InvoerVakFocus(QObject* parent, std::function<void(QLineEdit*)> lostFocus);
    // Watches the box; its keys go through the numeric key filter as well.
    void watch(QLineEdit* box);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(QLineEdit*)> m_lostFocus;
    QObject* m_keys;
};
