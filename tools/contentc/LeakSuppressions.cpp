// The libraries the content compiler uses keep process-wide caches until exit (fontconfig's
// font list, glib's type system, pango's and cairo's caches); a sanitizer build would report
// them as leaks of the compiler and fail the build. Only those libraries are exempt.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\nleak:librsvg\nleak:libglib\nleak:libgobject\nleak:libgio\nleak:libpango\n"
           "leak:libcairo\nleak:libharfbuzz\nleak:libpixman\nleak:libxml2\n";
}

// Without the table of suppressions used after every run.
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
