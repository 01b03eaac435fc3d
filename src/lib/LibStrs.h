#pragma once
// The shared free routines of every window: text fields, dates as text, schedule date rules,
// Variant code-page conversion and the alert log.

#include "lib/AlertLog.h"
#include "lib/DateTexts.h"
#include "lib/Schedules.h"
#include "lib/StrFields.h"
#include "lib/VariantCodePage.h"
