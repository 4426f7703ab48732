#pragma once
// The one global set-up of libcurl that every client of the program shares. curl_global_init is not
// thread-safe, and the first FTP or HTTP client may be made on any worker at the same moment as
// another, so both clients go through this once.

namespace tvr
{

// Runs curl_global_init exactly once in the process; throws std::runtime_error when it fails.
void CurlGlobalInit();

} // namespace tvr
