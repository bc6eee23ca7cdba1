#include "invoervak.h"

#include "elementen.h"
#include "generalui.h"
#include "units.h"
#include "windowhelpers.h"
#include "zelvorageneral.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <cmath>

namespace {

// The display factor of an element in the unit where its numbers read
// longest: the largest of mmol (1), meq (its valence) and mg (its molar mass).
double breedsteFactor(int positie)
{
    const Element& e = ElementOp(positie);
    return std::max({1.0, double(e.valentie), e.molmassa});
}

// The limit as the box shows it, so that typing the shown limit passes.
double afgerond(double value, qint16 decimalen)
{
    const double schaal = std::pow(10.0, decimalen);
    return std::round(value * schaal) / schaal;
}

} // namespace

double HoogsteGehalte(int positie)
{
    // Far above what irrigation or drain water holds, and low enough that the
    // largest value stays a short number in every display unit (9,700.00 mg
    // of H2PO4, 95,900.00 µg of Mo).
    return ElementOp(positie).spoor ? 1000 : 100;
}

InvoerBereik ElementBereik(int positie)
{
    return GehalteBereik(positie, 0, HoogsteGehalte(positie));
}

InvoerBereik GehalteBereik(int positie, double laagste, double hoogste)
{
    const auto getoond = [positie](double v) { return afgerond(IonToUnit(float(v), ElementNaam(positie)), 2); };
    return {getoond(laagste), getoond(hoogste), 2, false};
}

InvoerBereik BreedsteElementBereik(int positie)
{
    return {0, afgerond(HoogsteGehalte(positie) * breedsteFactor(positie), 2), 2, false};
}

int InvoerBreedte(const QWidget* plaats, const QList<InvoerBereik>& bereiken, int minimum)
{
    const QFontMetrics fm = plaats->fontMetrics();
    int tekst = 0;
    for (const InvoerBereik& b : bereiken)
        for (double grens : {b.laagste, b.hoogste})
            tekst = std::max(tekst, fm.horizontalAdvance(FormatNumber(grens, b.decimalen)));
    // What a box puts around its text: its margins, the caret and the style's frame.
    constexpr int kMarge = 2;
    const QSize inhoud(tekst + 2 * kMarge + 1, fm.height());
    QStyleOptionFrame option;
    option.initFrom(plaats);
    option.lineWidth = plaats->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, plaats);
    option.state |= QStyle::State_Sunken;
    const int breedte = plaats->style()->sizeFromContents(QStyle::CT_LineEdit, &option, inhoud, plaats).width();
    return std::max(minimum, breedte);
}

void HideSelection(QLineEdit* box, Qt::FocusReason reason)
{
    // A box keeps its selection when another window (a dialog, a message) takes
    // the focus, and would look selected beside the box that has it.
    if (reason == Qt::ActiveWindowFocusReason)
        box->deselect();
}

InvoerVakFocus::InvoerVakFocus(QObject* parent, std::function<void(QLineEdit*)> lostFocus)
    : QObject(parent), m_lostFocus(std::move(lostFocus)), m_keys(new KeyAsciiFilter(this, 1))
{
}

void InvoerVakFocus::watch(QLineEdit* box)
{
    box->installEventFilter(m_keys);
    box->installEventFilter(this);
}

bool InvoerVakFocus::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box)
        return false;
    if (event->type() == QEvent::FocusIn && !box->isReadOnly()) {
        SelectAllOnceFocused(box);
    } else if (event->type() == QEvent::FocusOut) {
        HideSelection(box, static_cast<QFocusEvent*>(event)->reason());
        RunUserAction([&] { m_lostFocus(box); });
    }
    return false;
}
