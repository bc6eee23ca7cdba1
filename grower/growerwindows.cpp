#include "growerwindows.h"

#include "frmbedrijfgeg.h"
#include "wizard.h"

void RegisterGrowerWindows()
{
    RegisterStepWindow("frmBedrijfGeg", [] { return new frmBedrijfGeg; });
}
