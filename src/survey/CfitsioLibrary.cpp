#include "CfitsioLibrary.h"

#include "core/Error.h"

#include <dlfcn.h>
#include <optional>
#include <string>

namespace quelmar {

namespace {

struct Loaded {
    std::optional<CfitsioLibrary> library;
    std::string failure; // dlerror's words when it could not be loaded
};

template <typename Function> bool find(void* handle, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

Loaded load() {
    Loaded loaded;
    // The run-time name first, then the development link a build machine has.
    void* handle = dlopen("libcfitsio.so.10", RTLD_NOW | RTLD_LOCAL);
    if (!handle) handle = dlopen("libcfitsio.so", RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        loaded.failure = why ? why : "libcfitsio.so";
        return loaded;
    }
    CfitsioLibrary f{};
    const bool found =
        find(handle, "ffdkopn", f.open_diskfile) && find(handle, "ffclos", f.close_file) &&
        find(handle, "ffmnhd", f.movnam_hdu) && find(handle, "ffgky", f.read_key) &&
        find(handle, "ffghadll", f.get_hduaddrll) && find(handle, "ffgnrwll", f.get_num_rowsll) &&
        find(handle, "ffgcno", f.get_colnum) && find(handle, "ffgtcl", f.get_coltype) &&
        find(handle, "ffgcv", f.read_col) && find(handle, "ffgerr", f.get_errstatus) &&
        find(handle, "ffcmsg", f.clear_errmsg);
    if (found)
        loaded.library = f;
    else
        loaded.failure = dlerror();
    return loaded; // the library stays loaded for the life of the process
}

} // namespace

const CfitsioLibrary& cfitsio(const std::string& path) {
    static const Loaded loaded = load();
    if (!loaded.library) throw QuelmarError(path, {message::CfitsioMissing, {loaded.failure}});
    return *loaded.library;
}

} // namespace quelmar
