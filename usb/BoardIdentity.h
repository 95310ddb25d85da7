// What the information box says about the board a connection opened.
#pragma once

// After a failed EEPROM read at connection: when the board has no EEPROM access at all, says so
// in one line naming its node and returns 1 (the connection goes on with the identity from its
// USB strings); any other failure returns 0 and is the caller's to report.
int ReportNoEeprom(int handle);
// At the end of a connection: "Connected to NODE: <description>, serial <serial>".
void ReportConnection(int handle);
