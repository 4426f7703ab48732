#include "platform/CurlGlobal.h"

#include <curl/curl.h>

#include <mutex>
#include <stdexcept>

namespace tvr
{

void CurlGlobalInit()
{
    static std::once_flag once;
    std::call_once(once, [] {
        if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK)
            throw std::runtime_error("curl_global_init failed");
    });
}

} // namespace tvr
