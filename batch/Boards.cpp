// Listing the boards through the library's enumeration calls.
#include "batch/Boards.h"

#include "platform/corvousb/CorvoUsb.h"

#include <nlohmann/json.hpp>

namespace batch {

std::vector<BoardIdentity> ListBoards() {
    std::vector<BoardIdentity> boards;
    const int count = USB_GetNumberOfDevs();
    for (int i = 0; i < count; ++i) {
        char description[DEVICE_TEXT_BYTES] = "", serial[DEVICE_TEXT_BYTES] = "",
             location[DEVICE_TEXT_BYTES] = "";
        if (GetDeviceDescEx(description, sizeof description, i) != 0 ||
            GetDeviceSerNum(serial, i) != 0 || GetDeviceLocation(location, sizeof location, i) != 0)
            continue; // gone since it was counted
        boards.push_back({description, serial, location});
    }
    return boards;
}

std::optional<BoardIdentity> FindBoard(const BoardChoice& choice) {
    for (const BoardIdentity& board : ListBoards()) {
        if (!choice.serial.empty()
                ? board.serial == choice.serial
                : choice.description.empty() || board.description == choice.description)
            return board;
    }
    return std::nullopt;
}

std::string BoardLines(const std::vector<BoardIdentity>& boards) {
    std::string lines;
    for (const BoardIdentity& b : boards)
        lines += b.description + "\t" + b.serial + "\t" + b.location + "\n";
    return lines;
}

std::string BoardsJson(const std::vector<BoardIdentity>& boards) {
    nlohmann::json list = nlohmann::json::array();
    for (const BoardIdentity& b : boards)
        list.push_back(
            {{"description", b.description}, {"serial", b.serial}, {"location", b.location}});
    return list.dump(2) + "\n";
}

} // namespace batch
