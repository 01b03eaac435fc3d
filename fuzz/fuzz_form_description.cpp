// Form description parser: any bytes either parse or give an error with a line number.

#include "platform/components/FormDescription.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    zrv::TFormDescription d;
    std::string error;
    int line = 0;
    if (!zrv::ParseFormDescription(text, "fuzz.zfm", d, &error, &line)) {
        if (error.empty() || line < 1)
            __builtin_trap();
    }
    (void)zrv::DescribedClassName(text);
    return 0;
}
