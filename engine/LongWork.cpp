// The report of long work that was stopped before its end.
#include "engine/LongWork.h"

#include "ui/Output.h"

void ReportStop(long long done, long long total) {
    InfoPrintf("Stopped after %lld of %lld bytes\n", done, total);
}
