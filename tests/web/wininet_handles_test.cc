// Every WinINet handle that a run of fetches opens is closed, on success and on the failures the
// song service can stage. The program binds the counting wininet.dll that lies beside this test,
// which hands every call on to the system's WinINet and counts the handles.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/support/song_service.h"
#include "tests/web/web_test_support.h"
#include "web/web_request.h"

namespace corvalin {
namespace {

using CountFn = int (*)();

// The counting library, the one the program bound (loaded again, it is the same module).
CountFn countingFunction(const char* name) {
  char program[MAX_PATH];
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string folder(program);
  folder.resize(folder.find_last_of('\\'));
  HMODULE library = LoadLibraryA((folder + "\\wininet.dll").c_str());
  return reinterpret_cast<CountFn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

const char* const kPaths[] = {
    "/m/song?id=1",       // a song page
    "/m/song?id=3999",    // not found
    "/nobody",            // an empty body
    "/bigheaders",        // a header block longer than the buffer
    "/reset?bytes=1000",  // the connection reset in the body
};

TEST(WinInetHandles, FetchesCloseEveryHandle) {
  ASSERT_FALSE(testing::sharedSongServiceHost().empty()) << "the song service is not running";
  const CountFn openHandles = countingFunction("corvalinOpenHandles");
  const CountFn handlesOpened = countingFunction("corvalinHandlesOpened");
  ASSERT_NE(openHandles, nullptr);
  ASSERT_NE(handlesOpened, nullptr);

  for (const char* path : kPaths) {
    SCOPED_TRACE(path);
    const int before = handlesOpened();
    fetchPage(testing::serviceUrl(path));
    EXPECT_EQ(handlesOpened() - before, 3);  // root, connection and request
    EXPECT_EQ(openHandles(), 0);
  }
  // Nothing listens on port 1; a URL without a host.
  for (const char* url : {"http://127.0.0.1:1/m/song?id=1", "http:///m/song?id=1"}) {
    SCOPED_TRACE(url);
    EXPECT_EQ(textLength(fetchPage(url)), 0);
    EXPECT_EQ(openHandles(), 0);
  }
}

}  // namespace
}  // namespace corvalin
