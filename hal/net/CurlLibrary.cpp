#include "hal/net/CurlLibrary.h"

#include <dlfcn.h>

namespace {

// Each entry by its name, or false when one is missing.
template <typename Function>
bool find(void* library, const char* name, Function& entry) {
    entry = reinterpret_cast<Function>(dlsym(library, name));
    return entry != nullptr;
}

const CurlLibrary* open() {
    void* library = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) return nullptr;
    static CurlLibrary entries;
    CurlLibrary& e = entries;
    const bool complete =
        find(library, "curl_global_init", e.global_init) && find(library, "curl_global_cleanup", e.global_cleanup) &&
        find(library, "curl_free", e.free) && find(library, "curl_url", e.url) &&
        find(library, "curl_url_cleanup", e.url_cleanup) && find(library, "curl_url_set", e.url_set) &&
        find(library, "curl_url_get", e.url_get) && find(library, "curl_easy_init", e.easy_init) &&
        find(library, "curl_easy_cleanup", e.easy_cleanup) && find(library, "curl_easy_setopt", e.easy_setopt) &&
        find(library, "curl_easy_getinfo", e.easy_getinfo) && find(library, "curl_easy_pause", e.easy_pause) &&
        find(library, "curl_slist_append", e.slist_append) && find(library, "curl_slist_free_all", e.slist_free_all) &&
        find(library, "curl_multi_init", e.multi_init) && find(library, "curl_multi_cleanup", e.multi_cleanup) &&
        find(library, "curl_multi_add_handle", e.multi_add_handle) &&
        find(library, "curl_multi_remove_handle", e.multi_remove_handle) &&
        find(library, "curl_multi_perform", e.multi_perform) && find(library, "curl_multi_poll", e.multi_poll) &&
        find(library, "curl_multi_info_read", e.multi_info_read);
    if (!complete) {
        dlclose(library);
        return nullptr;
    }
    return &entries;  // the library stays open for the process's life
}

}  // namespace

const CurlLibrary* CurlLibrary::get() {
    static const CurlLibrary* const library = open();
    return library;
}
