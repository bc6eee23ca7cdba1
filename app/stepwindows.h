#pragma once

// Makes every window of the program known to the menu and the wizard.
void RegisterStepWindows();
