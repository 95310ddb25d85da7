// The bus of simulated boards: the default transport.
#pragma once

#include "platform/corvousb/Transport.h"
#include "platform/corvousb/sim/SimBoard.h"

#include <memory>
#include <vector>

namespace corvousb {

class SimBus : public FifoBus {
  public:
    // Boards take their time from `clock` (a real clock by default).
    explicit SimBus(std::shared_ptr<Clock> clock = std::make_shared<RealClock>())
        : clock_(std::move(clock)) {}

    std::vector<DeviceInfo> enumerate() override;
    int open(std::size_t index, std::unique_ptr<FifoDevice>& device) override;

    // Adds a board, plugged in, on port = board number + 1. Returns the board number.
    int addBoard(const BoardSetup& setup);
    // The board with that number, or null.
    SimBoard* board(int number);
    // The board on that port, or null.
    SimBoard* boardOnPort(int port) { return board(port - 1); }
    int boardCount() const { return static_cast<int>(boards_.size()); }
    Clock& clock() { return *clock_; }

  private:
    std::shared_ptr<Clock> clock_;
    std::vector<std::shared_ptr<SimBoard>> boards_;
};

} // namespace corvousb
