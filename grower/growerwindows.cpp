#include "growerwindows.h"

#include "frmbedrijfgeg.h"
#include "frmdrain.h"
#include "frmwater.h"
#include "wizard.h"

void RegisterGrowerWindows()
{
    RegisterStepWindow("frmBedrijfGeg", [] { return new frmBedrijfGeg; });
    RegisterStepWindow("frmWater", [] { return new frmWater; });
    RegisterStepWindow("frmDrain", [] { return new frmDrain; });
}
