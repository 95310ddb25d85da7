// The setup panel's maintenance buttons, hidden unless Kestrel is started for maintenance.
#pragma once

// Shows the five maintenance buttons: "Speed test", "Simulation", "Seachr AAFFFF",
// "Purge fifo" and "Fifo status".
void ShowMaintenanceButtons(int setupPanel);
