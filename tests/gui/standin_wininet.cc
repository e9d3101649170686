// A library named wininet.dll without WinINet's exports: placed beside cacheconv.exe, binding
// InternetOpenA from it fails, which must end the program with the run error.
extern "C" __declspec(dllexport) int corvalinStandIn() { return 0; }
