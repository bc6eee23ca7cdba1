#include "growerwindows.h"

#include "frmdrain.h"
#include "frmwater.h"
#include "wizard.h"

void RegisterGrowerWindows()
{
    RegisterStepWindow("frmWater", [] { return new frmWater; });
    RegisterStepWindow("frmDrain", [] { return new frmDrain; });
}
