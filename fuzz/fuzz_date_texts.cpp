// Date texts and schedule rules come from masked edits, schemes and the server: no input may crash
// the readers or make the replacement loop run away.

#include "lib/DateTexts.h"
#include "lib/Schedules.h"
#include "lib/StrFields.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    int order = size ? data[0] % 7 : 1;
    std::string sep = zrv::GetField(input, "\003", 2);
    std::string text = zrv::GetField(input, "\003", 1);

    double date = zrv::OrderedStrToDate(text, order, sep.empty() ? "/" : sep);
    zrv::DateToOrderedStr(order, sep, date);
    zrv::MonthToOrderedStr(order, sep, date);
    zrv::CompactToDate(text);
    zrv::IsValidCompactDate(text);
    zrv::AddPeriod(zrv::Variant(text), sep, static_cast<int>(size) - 64);
    zrv::ReplaceAllText(input, sep, text, true);

    // The whole input as one moving-date rule over a small condition array.
    zrv::Variant set = zrv::Variant::Array(1, 3);
    set[1] = zrv::Variant::ArrayOf({ zrv::Variant("20240101"),
        zrv::Variant::ArrayOf({ zrv::Variant("20240101"), zrv::Variant("20240131") }) });
    set[3] = zrv::Variant::ArrayOf({ zrv::Variant(1), zrv::Variant(input) });
    zrv::ShiftDateConditions(set, "20240315");
    zrv::FirstScheduleDate(text,
        zrv::Variant::ArrayOf({ zrv::Variant(static_cast<int>(size % 4)),
            zrv::Variant::ArrayOf({ zrv::Variant(static_cast<int>(size % 2)), zrv::Variant(sep),
                zrv::Variant(order - 1), zrv::Variant(static_cast<int>(size % 8)) }) }));
    return 0;
}
