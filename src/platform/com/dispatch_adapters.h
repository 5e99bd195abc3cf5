// Adapters between COM's IDispatch and the program's AutomationObject, so that an object
// handed across the module boundary can be called from either side.
#pragma once

#include "platform/automation/automation_object.h"
#include "platform/com/interfaces.h"

namespace platform {

// An IDispatch that serves `object`; the caller holds the one reference it starts with.
IDispatch* dispatchFor(ObjectPtr object);

// An AutomationObject that calls `dispatch` (a reference of its own is taken); `dispatch`
// must not be null.
ObjectPtr automationObjectFor(IDispatch* dispatch);

// The object behind `dispatch` when it is one of our servers, else null.
ObjectPtr servedObject(IDispatch* dispatch);
// The IDispatch behind `object` when it is one of our clients (with a new reference), else
// null.
IDispatch* clientDispatch(const AutomationObject& object);

}  // namespace platform
