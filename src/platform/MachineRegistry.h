#pragma once
// The machine-wide registry, read only. Kept in a text file (default /etc/zrv/registry.ini, or the
// file named by ZRV_REGISTRY_FILE) whose sections are key paths and whose entries are values:
//     [Software\ZRV\Orvane]
//     ClientPath=/opt/zrv/client
// Key paths and value names compare without regard to case. The file is read on every lookup
// that finds it changed, so a test can write it and read at once.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zrv {

class MachineRegistry {
public:
    // The file in force: ZRV_REGISTRY_FILE when set, else /etc/zrv/registry.ini.
    static std::string FilePath();
    // A value; nullopt when the key or the value does not exist (or the file cannot be read).
    static std::optional<std::string> ReadString(
        const std::string& keyPath, const std::string& name);
    static bool KeyExists(const std::string& keyPath);
    // The value names under a key, in file order.
    static std::vector<std::string> ValueNames(const std::string& keyPath);
};

} // namespace zrv
