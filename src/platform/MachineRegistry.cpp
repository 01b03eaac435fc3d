#include "platform/MachineRegistry.h"

#include "platform/CodePage.h"

#include <cstdlib>
#include <fstream>
#include <ini.h>
#include <mutex>
#include <sstream>
#include <sys/stat.h>

namespace zrv {

namespace {

    struct Key {
        std::vector<std::pair<std::string, std::string>> values; // original names, file order
    };

    struct Snapshot {
        std::string path;
        struct timespec mtime { };
        off_t size = -1;
        bool loaded = false;
        std::map<std::string, Key> keys; // key paths in upper case
    };

    std::mutex gLock;
    Snapshot gSnapshot;

    // Key paths compare without case and without a leading or trailing backslash.
    std::string NormalKey(const std::string& path)
    {
        std::string k = UpperCase(Trim(path));
        while (!k.empty() && k.front() == '\\')
            k.erase(k.begin());
        while (!k.empty() && k.back() == '\\')
            k.pop_back();
        return k;
    }

    int OnEntry(void* user, const char* section, const char* name, const char* value)
    {
        auto* keys = static_cast<std::map<std::string, Key>*>(user);
        auto& key = (*keys)[NormalKey(section)];
        if (name)
            key.values.emplace_back(name, value ? value : "");
        return 1;
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
        std::ifstream in(path, std::ios::binary);
        std::stringstream buf;
        buf << in.rdbuf();
        const std::string text = DecodeLegacyText(buf.str());
        ini_parse_string(text.c_str(), OnEntry, &gSnapshot.keys);
        gSnapshot.mtime = st.st_mtim;
        gSnapshot.size = st.st_size;
        gSnapshot.loaded = true;
        return gSnapshot;
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
    const auto it = snap.keys.find(NormalKey(keyPath));
    if (it == snap.keys.end())
        return std::nullopt;
    for (const auto& [n, v] : it->second.values)
        if (SameText(n, name))
            return v;
    return std::nullopt;
}

bool MachineRegistry::KeyExists(const std::string& keyPath)
{
    std::lock_guard guard(gLock);
    return Current().keys.count(NormalKey(keyPath)) > 0;
}

std::vector<std::string> MachineRegistry::ValueNames(const std::string& keyPath)
{
    std::lock_guard guard(gLock);
    const auto& snap = Current();
    std::vector<std::string> names;
    const auto it = snap.keys.find(NormalKey(keyPath));
    if (it != snap.keys.end())
        for (const auto& [n, v] : it->second.values)
            names.push_back(n);
    return names;
}

} // namespace zrv
