#pragma once

// libcurl, opened the first time the network is used. Linked at start-up it would bring
// its TLS, Kerberos, LDAP and SSH libraries into every run's memory (about 5 MB resident),
// and most runs never open a connection.

#include <curl/curl.h>

struct CurlLibrary {
    decltype(&::curl_global_init) global_init;
    decltype(&::curl_global_cleanup) global_cleanup;
    decltype(&::curl_free) free;
    decltype(&::curl_url) url;
    decltype(&::curl_url_cleanup) url_cleanup;
    decltype(&::curl_url_set) url_set;
    decltype(&::curl_url_get) url_get;
    decltype(&::curl_easy_init) easy_init;
    decltype(&::curl_easy_cleanup) easy_cleanup;
    decltype(&::curl_easy_setopt) easy_setopt;
    decltype(&::curl_easy_getinfo) easy_getinfo;
    decltype(&::curl_easy_pause) easy_pause;
    decltype(&::curl_slist_append) slist_append;
    decltype(&::curl_slist_free_all) slist_free_all;
    decltype(&::curl_multi_init) multi_init;
    decltype(&::curl_multi_cleanup) multi_cleanup;
    decltype(&::curl_multi_add_handle) multi_add_handle;
    decltype(&::curl_multi_remove_handle) multi_remove_handle;
    decltype(&::curl_multi_perform) multi_perform;
    decltype(&::curl_multi_poll) multi_poll;
    decltype(&::curl_multi_info_read) multi_info_read;

    // The library's entries, opened on the first call (thread-safe); null when libcurl
    // cannot be opened, and then no connection can be made.
    static const CurlLibrary* get();
};

// The entries of a library already opened: for code that holds one of its handles.
inline const CurlLibrary& curl() { return *CurlLibrary::get(); }
