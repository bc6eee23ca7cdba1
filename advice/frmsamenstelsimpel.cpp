#include "frmsamenstelsimpel.h"

#include "windowhelpers.h"
#include "zelvorageneral.h"

frmSamenstelSimpel::frmSamenstelSimpel(QWidget* parent) : StepWindow(parent, Kind::MenuOnly)
{
    setWindowTitle(GetLangStr(10400710));
    SetLogoButtons(this);
}
