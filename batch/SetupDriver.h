// Acting on the setup panel as a user would, so that a plan step runs exactly what a click runs;
// and reading back what the user would see.
#pragma once

#include "batch/Plan.h"

#include <optional>
#include <string>
#include <vector>

namespace batch {

// The plan's ring values (pattern, loop time) that the setup panel does not offer, as an error
// at the value; checked once the panels are loaded, before anything runs.
std::optional<PlanError> CheckRingValues(const Plan& plan);

// Enters the plan's link settings in the setup panel's controls (each one sent to the board by
// its callback, as when the user enters it).
void EnterLinkSettings(const LinkSettings& link);
// The link settings the setup panel shows.
LinkSettings ShownLinkSettings();
// Enters a step's transfer settings: I/O mode, byte order, data type and size, the four fields,
// pattern, data check, print.
void EnterTransferSettings(const TransferSettings& s);
// Presses "Apply"; checks or unchecks "Loop"; delivers a loop-timer tick (false when the timer
// is not running); presses "Read EEPROM content" with "Show EEPROM" ticked.
void PressApply();
void SetLoop(bool on, int periodMs);
bool TickLoop();
void ReadEepromShown();

// The information box's text since the last call, which empties the box.
std::string TakeInfoText();
// The texts of the "USB Error" boxes shown since the start of the run.
std::vector<std::string> LibraryErrorTexts();

} // namespace batch
