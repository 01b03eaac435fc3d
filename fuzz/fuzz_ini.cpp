// The INI reader on arbitrary bytes: whatever it lists, it can read back.
#include "platform/IniFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace zrv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    IniFile ini = IniFile::FromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const std::string& section : ini.ReadSections()) {
        if (!ini.SectionExists(section))
            std::abort();
        for (const std::string& key : ini.ReadSection(section)) {
            if (!ini.ValueExists(section, key))
                std::abort();
            if (ini.ReadString(section, key, "a") != ini.ReadString(section, key, "b"))
                std::abort(); // a listed key has a value of its own
            ini.ReadInteger(section, key, 0);
        }
        if (ini.ReadSectionValues(section).size() != ini.SectionEntries(section).size())
            std::abort();
    }
    return 0;
}
