#include "stepwindows.h"

#include "frmadvies.h"
#include "frmbedrijfgeg.h"
#include "frmdrain.h"
#include "frmeigenteelt.h"
#include "frmextrabigbag.h"
#include "frmhistorie.h"
#include "frmmailprint.h"
#include "frmmestpref.h"
#include "frmmeststoffen.h"
#include "frmregistratie.h"
#include "frmsamenstel.h"
#include "frmsamenstelsimpel.h"
#include "frmtaal.h"
#include "frmteelt.h"
#include "frmwater.h"
#include "wizard.h"

void RegisterStepWindows()
{
    RegisterStepWindow("frmTaal", [] { return new frmTaal; });
    RegisterStepWindow("frmBedrijfGeg", [] { return new frmBedrijfGeg; });
    RegisterStepWindow("frmMeststoffen", [] { return new frmMeststoffen; });
    RegisterStepWindow("frmTeelt", [] { return new frmTeelt; });
    RegisterStepWindow("frmWater", [] { return new frmWater; });
    RegisterStepWindow("frmDrain", [] { return new frmDrain; });
    RegisterStepWindow("frmAdvies", [] { return new frmAdvies; });
    RegisterStepWindow("frmExtraBigBag", [] { return new frmExtraBigBag; });
    RegisterStepWindow("frmRegistratie", [] { return new frmRegistratie; });
    RegisterStepWindow("frmEigenTeelt", [] { return new frmEigenTeelt; });
    RegisterStepWindow("frmMestPref", [] { return new frmMestPref; });
    RegisterStepWindow("frmSamenstel",
                       []() -> QWidget* { return frmSamenstel::KanOpenen() ? new frmSamenstel : nullptr; });
    RegisterStepWindow("frmSamenstelSimpel", [] { return new frmSamenstelSimpel; });
    RegisterStepWindow("frmMailPrint", [] { return new frmMailPrint; });
    RegisterStepWindow("frmHistorie", [] { return new frmHistorie; });
}
