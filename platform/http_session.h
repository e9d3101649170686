// The HTTP client seam, shaped like WinINet so that the web request routine is written once:
// a root handle (agent and proxy), a connection handle (host and port) and a request handle
// (verb, path, flags), each null on failure. Texts are zero-terminated and may be null.
// win32: WinINet itself, bound by name at first call. posix: libcurl with the same meanings.
#pragma once

#include <cstdint>

namespace platform {

using HttpHandle = void*;

// Access types of httpOpenRoot.
inline constexpr std::uint32_t kHttpOpenDirect = 1;  // ignores proxy settings of the system
inline constexpr std::uint32_t kHttpOpenProxy = 3;   // the given proxy list
// Service of httpConnect.
inline constexpr std::uint32_t kHttpServiceHttp = 3;
// Request flags of httpOpenRequest.
inline constexpr std::uint32_t kHttpFlagReload = 0x80000000u;  // never read a cache
inline constexpr std::uint32_t kHttpFlagNeedFile = 0x10u;
inline constexpr std::uint32_t kHttpFlagNoCookies = 0x80000u;  // neither send nor store
inline constexpr std::uint32_t kHttpFlagNoAutoRedirect = 0x200000u;
inline constexpr std::uint32_t kHttpFlagSecure = 0x800000u;               // TLS
inline constexpr std::uint32_t kHttpFlagIgnoreRedirectToHttps = 0x4000u;  // follow http->https
// Info levels of httpQueryInfo. Content length: the decimal digits the final response
// announces. Raw headers: the status line and header lines of the final response, each
// ended by "\r\n", then one more "\r\n", then a zero byte.
inline constexpr std::uint32_t kHttpQueryContentLength = 5;
inline constexpr std::uint32_t kHttpQueryRawHeadersCrlf = 22;

HttpHandle httpOpenRoot(const char* agent, std::uint32_t accessType, const char* proxy,
                        const char* proxyBypass, std::uint32_t flags);
HttpHandle httpConnect(HttpHandle root, const char* host, int port, const char* user,
                       const char* password, std::uint32_t service, std::uint32_t flags,
                       std::uintptr_t context);
HttpHandle httpOpenRequest(HttpHandle connection, const char* verb, const char* path,
                           const char* version, const char* referrer, const char** acceptTypes,
                           std::uint32_t flags, std::uintptr_t context);
// Sends the request with `headers` (lines joined by "\r\n") and the body; false when no
// response arrived.
bool httpSendRequest(HttpHandle request, const char* headers, std::uint32_t headersLength,
                     const void* body, std::uint32_t bodyLength);
// Places up to `size` bytes of the body into `buffer`; *count is 0 at the end and after a
// failure.
bool httpReadBody(HttpHandle request, void* buffer, std::uint32_t size, std::uint32_t* count);
// Writes the asked information and a zero byte into `buffer` of *length bytes. When it does
// not fit, fails and leaves the buffer untouched.
bool httpQueryInfo(HttpHandle request, std::uint32_t infoLevel, void* buffer, std::uint32_t* length,
                   std::uint32_t* index);
// Closes any of the three handles; null is allowed.
bool httpCloseHandle(HttpHandle handle);

}  // namespace platform
