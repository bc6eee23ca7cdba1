#include "growerwindows.h"

#include "wizard.h"

void RegisterGrowerWindows()
{
}
