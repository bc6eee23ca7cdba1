#include "stepwindows.h"

#include "frmtaal.h"
#include "growerwindows.h"
#include "wizard.h"

void RegisterStepWindows()
{
    RegisterStepWindow("frmTaal", [] { return new frmTaal; });
    RegisterGrowerWindows();
}
