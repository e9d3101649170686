// The HTTP session on WinINet itself. No function of wininet.dll is linked: each is bound by
// name when first called, so a missing library or export is the run error at the first request.
#include "platform/http_session.h"

#include <windows.h>
#include <wininet.h>

#include "platform/win32/bound_function.h"

namespace platform {
namespace {

using win32::BoundFunction;

using InternetOpenFn = HINTERNET(WINAPI*)(LPCSTR, DWORD, LPCSTR, LPCSTR, DWORD);
using InternetConnectFn = HINTERNET(WINAPI*)(HINTERNET, LPCSTR, INTERNET_PORT, LPCSTR, LPCSTR,
                                             DWORD, DWORD, DWORD_PTR);
using HttpOpenRequestFn = HINTERNET(WINAPI*)(HINTERNET, LPCSTR, LPCSTR, LPCSTR, LPCSTR, LPCSTR*,
                                             DWORD, DWORD_PTR);
using HttpSendRequestFn = BOOL(WINAPI*)(HINTERNET, LPCSTR, DWORD, LPVOID, DWORD);
using InternetReadFileFn = BOOL(WINAPI*)(HINTERNET, LPVOID, DWORD, LPDWORD);
using HttpQueryInfoFn = BOOL(WINAPI*)(HINTERNET, DWORD, LPVOID, LPDWORD, LPDWORD);
using InternetCloseHandleFn = BOOL(WINAPI*)(HINTERNET);

constexpr const char* kLibrary = "wininet.dll";
BoundFunction<InternetOpenFn> internetOpen{kLibrary, "InternetOpenA"};
BoundFunction<InternetConnectFn> internetConnect{kLibrary, "InternetConnectA"};
BoundFunction<HttpOpenRequestFn> httpOpenRequestA{kLibrary, "HttpOpenRequestA"};
BoundFunction<HttpSendRequestFn> httpSendRequestA{kLibrary, "HttpSendRequestA"};
BoundFunction<InternetReadFileFn> internetReadFile{kLibrary, "InternetReadFile"};
BoundFunction<HttpQueryInfoFn> httpQueryInfoA{kLibrary, "HttpQueryInfoA"};
BoundFunction<InternetCloseHandleFn> internetCloseHandle{kLibrary, "InternetCloseHandle"};

}  // namespace

HttpHandle httpOpenRoot(const char* agent, std::uint32_t accessType, const char* proxy,
                        const char* proxyBypass, std::uint32_t flags) {
  return internetOpen.get()(agent, accessType, proxy, proxyBypass, flags);
}

HttpHandle httpConnect(HttpHandle root, const char* host, int port, const char* user,
                       const char* password, std::uint32_t service, std::uint32_t flags,
                       std::uintptr_t context) {
  return internetConnect.get()(root, host, static_cast<INTERNET_PORT>(port), user, password,
                               service, flags, context);
}

HttpHandle httpOpenRequest(HttpHandle connection, const char* verb, const char* path,
                           const char* version, const char* referrer, const char** acceptTypes,
                           std::uint32_t flags, std::uintptr_t context) {
  return httpOpenRequestA.get()(connection, verb, path, version, referrer, acceptTypes, flags,
                                context);
}

bool httpSendRequest(HttpHandle request, const char* headers, std::uint32_t headersLength,
                     const void* body, std::uint32_t bodyLength) {
  return httpSendRequestA.get()(request, headers, headersLength, const_cast<void*>(body),
                                bodyLength) != FALSE;
}

bool httpReadBody(HttpHandle request, void* buffer, std::uint32_t size, std::uint32_t* count) {
  DWORD read = 0;
  const BOOL ok = internetReadFile.get()(request, buffer, size, &read);
  *count = read;
  return ok != FALSE;
}

bool httpQueryInfo(HttpHandle request, std::uint32_t infoLevel, void* buffer, std::uint32_t* length,
                   std::uint32_t* index) {
  DWORD bufferLength = *length;
  DWORD indexValue = index != nullptr ? *index : 0;
  const BOOL ok = httpQueryInfoA.get()(request, infoLevel, buffer, &bufferLength,
                                       index != nullptr ? &indexValue : nullptr);
  *length = bufferLength;
  if (index != nullptr) *index = indexValue;
  return ok != FALSE;
}

bool httpCloseHandle(HttpHandle handle) { return internetCloseHandle.get()(handle) != FALSE; }

}  // namespace platform
