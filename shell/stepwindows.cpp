#include "stepwindows.h"

#include "frmtaal.h"
#include "wizard.h"

void RegisterStepWindows()
{
    RegisterStepWindow("frmTaal", [] { return new frmTaal; });
}
