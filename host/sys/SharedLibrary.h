#pragma once
#include <dlfcn.h>

// A shared library opened when first needed rather than at start, where loading and binding it
// would cost every run whether it is used or not. It stays open for the rest of the run.
class TSharedLibrary {
public:
    // Not Loaded() when the library cannot be opened.
    explicit TSharedLibrary(const char* soname)
        : handle_(::dlopen(soname, RTLD_NOW | RTLD_LOCAL))
    {
    }
    TSharedLibrary(const TSharedLibrary&) = delete;
    TSharedLibrary& operator=(const TSharedLibrary&) = delete;

    bool Loaded() const { return handle_ != nullptr; }

    // Binds a function of the library to a pointer of the type its header declares; false when
    // the library or the function is missing.
    template <typename F> bool Bind(F*& function, const char* name) const
    {
        function = handle_ ? reinterpret_cast<F*>(::dlsym(handle_, name)) : nullptr;
        return function != nullptr;
    }

private:
    void* handle_;
};
