#include "app/program.h"

#include "app/main_window.h"
#include "conversion/cache_file_list.h"
#include "platform/window_system.h"
#include "text/text.h"

namespace corvalin {
namespace {

constexpr const char* kWindowLoadFailed =
    "\xD4\xD8\xC8\xEB\xC6\xF4\xB6\xAF\xB4\xB0\xBF\xDA\xCA\xA7\xB0\xDC";  // 载入启动窗口失败

int quitCode = 0;  // the code of the quit request that ended the message loop

}  // namespace

int startupRoutine() { return 0; }

int programStart() {
  platform::startWindowSystem();
  createCacheFileList();
  platform::registerExitRoutine(releaseCacheFileList);
  startupRoutine();
  if (!platform::loadMainWindow(mainWindowDefinition())) raiseRunError(0, kWindowLoadFailed);
  quitCode = platform::runMessageLoop();
  return 0;
}

int finishProgram() {
  platform::runExitRoutines();
  platform::stopWindowSystem();
  return quitCode;
}

int runProgram() {
  programStart();
  return finishProgram();
}

}  // namespace corvalin
