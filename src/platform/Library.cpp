#include "platform/Library.h"

#include "platform/CodePage.h"

#include <cstdlib>
#include <dlfcn.h>
#include <sstream>

namespace zrv {

Library::Library(void* handle, std::string path)
    : handle_(handle)
    , path_(std::move(path))
{
}

Library::~Library()
{
    if (handle_)
        dlclose(handle_);
}

std::string Library::PlatformName(const std::string& name)
{
    std::string base = name;
    if (base.size() > 4 && SameText(base.substr(base.size() - 4), ".dll"))
        base.resize(base.size() - 4);
    if ((base.size() > 3 && base.ends_with(".so")) || base.find(".so.") != std::string::npos)
        return base; // already a platform name, possibly versioned
    return base + ".so";
}

std::unique_ptr<Library> Library::Load(const std::string& name, std::string* error)
{
    const std::string file = PlatformName(name);
    std::string firstError;
    if (file.find('/') == std::string::npos) {
        if (const char* dirs = std::getenv("ZRV_LIBRARY_PATH")) {
            std::stringstream list(dirs);
            std::string dir;
            while (std::getline(list, dir, ':')) {
                if (dir.empty())
                    continue;
                const std::string path = dir + (dir.back() == '/' ? "" : "/") + file;
                if (void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL))
                    return std::unique_ptr<Library>(new Library(h, path));
            }
        }
    }
    if (void* h = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL))
        return std::unique_ptr<Library>(new Library(h, file));
    if (error) {
        const char* e = dlerror();
        *error = e ? e : ("cannot load " + file);
    }
    return nullptr;
}

void* Library::Symbol(const std::string& name) const
{
    return handle_ ? dlsym(handle_, name.c_str()) : nullptr;
}

} // namespace zrv
