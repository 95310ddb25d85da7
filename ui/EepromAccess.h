// Boards whose EEPROM cannot be reached (USB ttys): their EEPROM controls are dimmed.
#pragma once

// After the setup panel's connected state is shown (dim == 0): dims the EEPROM button, the
// wizard button and the Test menu's EEPROM items while the open board has no EEPROM access.
void ShowEepromAccess(int dim);
