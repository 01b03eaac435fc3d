#pragma once
// Shared libraries loaded by name, as the module loads its outside libraries. A Windows-style
// name maps to the platform's: "Zrlanguage.dll" -> "Zrlanguage.so" (the suffix compared without
// regard to case); a name without suffix gets ".so". The loader's own search path applies
// (executables and the module carry a RUNPATH of their folder); ZRV_LIBRARY_PATH, when set, is a
// ":"-separated list of folders tried first.

#include <memory>
#include <string>

namespace zrv {

class Library {
public:
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    // Nullptr when the library cannot be loaded; `error` then says why.
    static std::unique_ptr<Library> Load(const std::string& name, std::string* error = nullptr);
    static std::string PlatformName(const std::string& name);

    void* Symbol(const std::string& name) const; // nullptr when not exported
    template <typename F> F Function(const std::string& name) const
    {
        return reinterpret_cast<F>(Symbol(name));
    }
    const std::string& Path() const { return path_; }

private:
    Library(void* handle, std::string path);
    void* handle_;
    std::string path_;
};

} // namespace zrv
