// The lean COM runtime of the module boundary, in one include.
#pragma once

#include "platform/com/bstr.h"
#include "platform/com/com_base.h"
#include "platform/com/guid.h"
#include "platform/com/hresult_of.h"
#include "platform/com/interfaces.h"
#include "platform/com/variant_abi.h"
