// A board on the far side of a pseudo-terminal: the simulated board's firmware answering what the
// library writes to the pty's device node, as a real board answers on a USB serial line.
#pragma once

#include "platform/corvousb/sim/SimBoard.h"

#include <atomic>
#include <cstdint>
#include <span>
#include <string>
#include <termios.h>
#include <thread>
#include <vector>

namespace corvousb::testing {

// Opens a pseudo-terminal's master side, non-blocking; `node` receives the slave's device node.
// Throws when there is none.
int OpenPtyMaster(std::string& node);

class PtyBoard {
  public:
    // Opens a pseudo-terminal and starts answering on its master side.
    explicit PtyBoard(const BoardSetup& setup = {});
    ~PtyBoard();
    PtyBoard(const PtyBoard&) = delete;
    PtyBoard& operator=(const PtyBoard&) = delete;

    // The device node the library opens, e.g. /dev/pts/3.
    const std::string& node() const { return node_; }
    // The node's line settings, as the library left them.
    termios lineSettings() const;
    // Stops answering; the node stays.
    void stop();
    // Pulls the plug: stops answering and closes the master side, which hangs up the node.
    void unplug();

  private:
    void run();
    // Cuts the byte stream from the host into what the firmware takes as one write: a whole
    // command (header and, for 'W', its data) or a run of plain data. Bytes that may begin a
    // command are held until the command is complete, or until the line goes quiet, when
    // flushHeld() hands them on as data.
    void take(std::span<const std::uint8_t> bytes);
    void flushHeld();
    void answer(std::span<const std::uint8_t> chunk);

    SimBoard board_;
    std::vector<std::uint8_t> held_;
    int master_ = -1;
    int slave_ = -1; // kept open so that the node keeps its settings between the library's opens
    std::string node_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace corvousb::testing
