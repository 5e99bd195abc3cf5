#include "platform/script/jscript_dates.h"

#include "platform/automation/calendar.h"

namespace platform::jscript {

double oleToEpochMs(double ole) {
  return epochMsFromDate(ole);
}

double epochMsToOle(double ms) {
  return dateFromEpochMs(ms);
}

}  // namespace platform::jscript
