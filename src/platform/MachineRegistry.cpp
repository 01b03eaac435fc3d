#include "platform/MachineRegistry.h"

#include "platform/CodePage.h"
#include "platform/IniFile.h"

#include <cstdlib>
#include <mutex>
#include <sys/stat.h>

namespace zrv {

namespace {

    struct Snapshot {
        std::string path;
        struct timespec mtime { };
        off_t size = -1;
        bool loaded = false;
        IniFile file;
    };

    std::mutex gLock;
    Snapshot gSnapshot;

    // Key paths compare without case and without a leading or trailing backslash.
    std::string NormalKey(const std::string& path)
    {
        std::string k = Trim(path);
        while (!k.empty() && k.front() == '\\')
            k.erase(k.begin());
        while (!k.empty() && k.back() == '\\')
            k.pop_back();
        return k;
    }

    // Reloads the file when it changed since the last read; called with gLock held.
    const Snapshot& Current()
    {
        const std::string path = MachineRegistry::FilePath();
        struct stat st { };
        const bool exists = ::stat(path.c_str(), &st) == 0;
        if (gSnapshot.loaded && gSnapshot.path == path && exists
            && st.st_mtim.tv_sec == gSnapshot.mtime.tv_sec
            && st.st_mtim.tv_nsec == gSnapshot.mtime.tv_nsec && st.st_size == gSnapshot.size)
            return gSnapshot;
        gSnapshot = Snapshot {};
        gSnapshot.path = path;
        if (!exists)
            return gSnapshot;
        gSnapshot.file = IniFile(path);
        gSnapshot.mtime = st.st_mtim;
        gSnapshot.size = st.st_size;
        gSnapshot.loaded = true;
        return gSnapshot;
    }

    // The section of a key, written in the file with or without its outer backslashes.
    std::string SectionOf(const IniFile& file, const std::string& keyPath)
    {
        const std::string key = NormalKey(keyPath);
        for (const auto& name : file.ReadSections())
            if (SameText(NormalKey(name), key))
                return name;
        return {};
    }

} // namespace

std::string MachineRegistry::FilePath()
{
    const char* env = std::getenv("ZRV_REGISTRY_FILE");
    return env && *env ? env : "/etc/zrv/registry.ini";
}

std::optional<std::string> MachineRegistry::ReadString(
    const std::string& keyPath, const std::string& name)
{
    std::lock_guard guard(gLock);
    const auto& snap = Current();
    const std::string section = SectionOf(snap.file, keyPath);
    if (section.empty() || !snap.file.ValueExists(section, name))
        return std::nullopt;
    return snap.file.ReadString(section, name, "");
}

bool MachineRegistry::KeyExists(const std::string& keyPath)
{
    std::lock_guard guard(gLock);
    return !SectionOf(Current().file, keyPath).empty();
}

std::vector<std::string> MachineRegistry::ValueNames(const std::string& keyPath)
{
    std::lock_guard guard(gLock);
    const auto& snap = Current();
    const std::string section = SectionOf(snap.file, keyPath);
    return section.empty() ? std::vector<std::string> {} : snap.file.ReadSection(section);
}

} // namespace zrv
