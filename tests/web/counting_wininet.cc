// A wininet.dll that passes the functions the program binds on to the system's WinINet and
// counts the handles they open and close. Beside a test program it is the one the program binds
// (a library is looked for first in the program's folder).
#include <windows.h>

#include <set>
#include <string>

// The WinINet types, declared here: the system header would declare the functions below as
// imported ones.
using HINTERNET = void*;
using INTERNET_PORT = WORD;

namespace {

HMODULE systemWinInet() {
  static HMODULE module = [] {
    char folder[MAX_PATH];
    GetSystemDirectoryA(folder, MAX_PATH);
    return LoadLibraryA((std::string(folder) + "\\wininet.dll").c_str());
  }();
  return module;
}

template <typename Fn>
Fn systemFunction(const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(systemWinInet(), name)));
}

std::set<HINTERNET>& openHandles() {
  static std::set<HINTERNET> handles;
  return handles;
}
int handlesOpened = 0;

HINTERNET counted(HINTERNET handle) {
  if (handle != nullptr) {
    openHandles().insert(handle);
    ++handlesOpened;
  }
  return handle;
}

}  // namespace

extern "C" {

__declspec(dllexport) int corvalinOpenHandles() { return static_cast<int>(openHandles().size()); }
__declspec(dllexport) int corvalinHandlesOpened() { return handlesOpened; }

__declspec(dllexport) HINTERNET WINAPI
    InternetOpenA(LPCSTR agent, DWORD access, LPCSTR proxy, LPCSTR bypass, DWORD flags) {
  using Fn = decltype(&InternetOpenA);
  return counted(systemFunction<Fn>("InternetOpenA")(agent, access, proxy, bypass, flags));
}

__declspec(dllexport) HINTERNET WINAPI
    InternetConnectA(HINTERNET root, LPCSTR host, INTERNET_PORT port, LPCSTR user, LPCSTR password,
                     DWORD service, DWORD flags, DWORD_PTR context) {
  using Fn = decltype(&InternetConnectA);
  return counted(systemFunction<Fn>("InternetConnectA")(root, host, port, user, password, service,
                                                        flags, context));
}

__declspec(dllexport) HINTERNET WINAPI
    HttpOpenRequestA(HINTERNET connection, LPCSTR verb, LPCSTR path, LPCSTR version,
                     LPCSTR referrer, LPCSTR* acceptTypes, DWORD flags, DWORD_PTR context) {
  using Fn = decltype(&HttpOpenRequestA);
  return counted(systemFunction<Fn>("HttpOpenRequestA")(connection, verb, path, version, referrer,
                                                        acceptTypes, flags, context));
}

__declspec(dllexport) BOOL WINAPI
    HttpSendRequestA(HINTERNET request, LPCSTR headers, DWORD headersLength, LPVOID body,
                     DWORD bodyLength) {
  using Fn = decltype(&HttpSendRequestA);
  return systemFunction<Fn>("HttpSendRequestA")(request, headers, headersLength, body, bodyLength);
}

__declspec(dllexport) BOOL WINAPI
    InternetReadFile(HINTERNET request, LPVOID buffer, DWORD size, LPDWORD count) {
  using Fn = decltype(&InternetReadFile);
  return systemFunction<Fn>("InternetReadFile")(request, buffer, size, count);
}

__declspec(dllexport) BOOL WINAPI
    HttpQueryInfoA(HINTERNET request, DWORD level, LPVOID buffer, LPDWORD length, LPDWORD index) {
  using Fn = decltype(&HttpQueryInfoA);
  return systemFunction<Fn>("HttpQueryInfoA")(request, level, buffer, length, index);
}

__declspec(dllexport) BOOL WINAPI InternetCloseHandle(HINTERNET handle) {
  openHandles().erase(handle);
  using Fn = decltype(&InternetCloseHandle);
  return systemFunction<Fn>("InternetCloseHandle")(handle);
}

}  // extern "C"
