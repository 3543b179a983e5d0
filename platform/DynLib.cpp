#include "platform/DynLib.h"

#include <dlfcn.h>

TLibHandle LoadLib(const std::string& Path, std::string* Error) {
    // Local symbols: a plug-in's own names never replace the program's.
    void* H = dlopen(Path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!H && Error) {
        const char* E = dlerror();
        *Error = E ? E : "unknown error";
    }
    return H;
}

void* LibSymbol(TLibHandle Lib, const char* Name) {
    if (!Lib || !Name) return nullptr;
    return dlsym(Lib, Name);
}

void FreeLib(TLibHandle Lib) {
    if (Lib) dlclose(Lib);
}
