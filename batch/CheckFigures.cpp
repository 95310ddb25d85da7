// Wrong bytes, bit-error rate and payload errors from the checks' tallies.
#include "batch/CheckFigures.h"

#include "core/IoMode.h"

namespace batch {

void CheckSum::add(const check::CheckTally& t) {
    tally.add(t, tally.compared + tally.missing + tally.unchecked);
    any = true;
}

void AddCheckFigures(Measurements& m, const TransferSettings& t, const CheckSum& checks) {
    if (!t.verify || !checks.any) return;
    const check::CheckTally& c = checks.tally;
    const double wrong = static_cast<double>(c.wrongBytes + c.missing) +
                         (c.everLocked ? 0.0 : static_cast<double>(c.unchecked));
    if (t.ioMode == IOMODE_EXTENDED_READ) {
        m.payloadErrors = wrong;
        return;
    }
    m.wrongBytes = wrong;
    const double bits = 8.0 * static_cast<double>(c.compared);
    m.bitErrorRate = bits > 0 ? static_cast<double>(c.wrongBits) / bits : (wrong > 0 ? 1.0 : 0.0);
}

} // namespace batch
