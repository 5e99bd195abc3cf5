// Automation dates (local days since 30 December 1899, the time as the fraction) and script
// dates (milliseconds since 1970, UTC).
#pragma once

namespace platform::jscript {

double oleToEpochMs(double ole);
double epochMsToOle(double ms);

}  // namespace platform::jscript
