#pragma once

#include "bigbag.h"
#include "clsprintmeststofmeststof.h"

#include <QList>
#include <memory>
#include <optional>

// The fertiliser lines the composition step hands on to the mail and print
// step when the user goes forward: what the report prints and the order
// lists. The mail and print step may mark the lines (the order pipeline
// writes MixoraStatus); both steps hold the same lines.
struct PrintRegels {
    QList<clsPrintMeststofMeststof> PrintMeststof; // one per tank line shown, in slot order
    std::optional<BigBagLijnen> PrintMeststofEBB;  // the big-bag lines; none at all when big bags are off
};

// What the step after the composition implements to take the lines over. The
// composition step finds it among the open steps by this interface, so that
// it needs nothing else of that step.
class PrintRegelsOntvanger {
public:
    virtual ~PrintRegelsOntvanger() = default;
    virtual void ZetPrintRegels(std::shared_ptr<PrintRegels> regels) = 0;
};
