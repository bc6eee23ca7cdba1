#pragma once

// Makes the grower-data and water windows known to the menu and the wizard.
void RegisterGrowerWindows();
