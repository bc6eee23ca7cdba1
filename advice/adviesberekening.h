#pragma once

#include "adviesopslag.h"
#include "db/recordset.h"
#include "records.h"

// The advice of the working set as the advice window holds it, without the
// window: the run settings from the grower's settings row, the records the
// advice chain fills beside the shared vectors, and one run of the chain.

// The settings of the settings row that the advice runs on; the tank and
// big-bag figures stay 0.
BerekenInstellingen LeesAdviesInstellingen(const RecordSet& rij);

struct AdviesBerekening {
    BerekenInstellingen Instellingen; // AmoniumAanpassing: the ammonium class the chain chose
    ElementVector TussenVector;       // the adjusted target, the chain's own
    ElementVector AdviesOplossing;    // the advised solution; its EC is the EC the user wants (0: the base EC)
    WaterRecord AdviesWater;          // the water as counted
    WaterRecord AdviesMengWater;      // the drain water as counted (recirculating systems)

    // The run settings from the settings row of the current grower and history set.
    void LeesInstellingen();

    // Runs the advice chain into the shared StreefWaarden, AdviesAanpassing,
    // StreefGecorrigeerd and DrainAnalyse and the records above, stores the
    // ammonium class as setting AmoniumAanpassing, computes the maximum
    // recirculation and marks the adjustment as one to keep (Vlag 1).
    // All or nothing: on an error every record is left as it was and the
    // error is thrown.
    void Bereken();

    // The advice as stored, from the records and the shared state, and back.
    Advies HuidigAdvies() const;
    void ZetAdvies(const Advies& advies);

private:
    qint16 m_opgeslagenKlasse = -1; // the class last stored as setting, -1: none yet
};
