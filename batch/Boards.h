// The boards on the bus, as `kestrel list` shows them, and the one a plan asks for.
#pragma once

#include "batch/Plan.h"
#include "batch/StepResult.h"

#include <optional>
#include <vector>

namespace batch {

// Room for one text of the device list (a description of 64 characters, a node path).
enum { DEVICE_TEXT_BYTES = 256 };

// Every board on the bus, in device-index order.
std::vector<BoardIdentity> ListBoards();

// The board the choice names: by serial number, else by description, else the first one.
std::optional<BoardIdentity> FindBoard(const BoardChoice& choice);

// "description<TAB>serial<TAB>location" lines, or a JSON array of objects with those keys.
std::string BoardLines(const std::vector<BoardIdentity>& boards);
std::string BoardsJson(const std::vector<BoardIdentity>& boards);

} // namespace batch
