// Splits arbitrary bytes as a URL and checks what every accepted URL must give: a host, a
// port from 1 to 65535, a path that begins with "/", no blank or line end in any part, and
// the same parts when its text is split again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "hal/net/HttpUrl.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

bool clean(const std::string& text) { return text.find_first_of(" \r\n") == std::string::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    HttpUrl url;
    if (!url.parse(text)) {
        check(url.host().empty() && url.port() == 0 && url.handle() == nullptr);
        return 0;
    }
    check(!url.host().empty() && clean(url.host()));
    check(url.port() >= 1 && url.port() <= 65535);
    check(!url.path().empty() && url.path()[0] == '/' && clean(url.path()));
    check(!url.query() || clean(*url.query()));
    check(!url.fragment() || clean(*url.fragment()));
    check(!url.bareHost().empty());

    HttpUrl again;
    check(again.parse(text));
    check(again.host() == url.host() && again.port() == url.port() && again.path() == url.path() &&
          again.query() == url.query() && again.fragment() == url.fragment() && again.secure() == url.secure());
    return 0;
}
