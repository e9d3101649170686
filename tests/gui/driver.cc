// Drives cacheconv.exe in a real window through the Win32 API: layout, keyboard, the folder
// picker, a conversion run against the loopback song service and a run error.
//
//   corvalin_gui_driver <cacheconv.exe> <stand-in wininet.dll> <folder_check.exe> [gtest flags]
//
// Runs inside a Wine desktop of 1920 x 1080 with the ANSI code page 936. Everything it makes
// lives under C:\corvalin-gui (removed and made anew) and three cache files in C:\ itself,
// which the cancelled picker scans. The song service must serve tests/fixtures/gui/songs.tsv.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string appSource, standInSource, folderCheckSource;

const std::string kWorkRoot = "C:\\corvalin-gui";
const std::string kCacheFolder = kWorkRoot + "\\cache";
// Root-level cache files, for the cancelled picker; the program's drive is C:.
const std::vector<std::string> kRootCacheFiles = {"C:\\corvalin-gui-1.uc", "C:\\corvalin-gui-2.uc",
                                                  "C:\\corvalin-gui-3.UC"};

constexpr const char* kWindowTitle =
    "Corvalin\xBB\xBA\xB4\xE6\xD7\xAA\xBB\xBB\xB9\xA4\xBE\xDF\xA1\xAA\xA1\xAA"
    "Brismere";                                                       // Corvalin缓存转换工具——Brismere
constexpr const char* kStart = "\xBF\xAA\xCA\xBC";                    // 开始
constexpr const char* kBrowse = "\xE4\xAF\xC0\xC0";                   // 浏览
constexpr const char* kCaption = "\xBB\xBA\xB4\xE6\xC4\xBF\xC2\xBC";  // 缓存目录
constexpr const char* kDone = "\xCD\xEA\xB3\xC9";                     // 完成
constexpr const char* kPickerTitle = "\xD1\xA1\xD4\xF1\xBB\xBA\xB4\xE6\xC4\xBF\xC2\xBC";  // 选择缓存目录
constexpr const char* kErrorTitle = "\xB4\xED\xCE\xF3";                                   // 错误
// 无法找到指定DLL库文件“wininet.dll”中的输出命令“InternetOpenA”
constexpr const char* kMissingInternetOpen =
    "\xCE\xDE\xB7\xA8\xD5\xD2\xB5\xBD\xD6\xB8\xB6\xA8"
    "DLL\xBF\xE2\xCE\xC4\xBC\xFE\xA1\xB0wininet.dll\xA1\xB1\xD6\xD0\xB5\xC4\xCA\xE4\xB3\xF6"
    "\xC3\xFC\xC1\xEE\xA1\xB0InternetOpenA\xA1\xB1";

std::string countCaption(int n) {  // 共N首歌曲缓存
  return "\xB9\xB2" + std::to_string(n) + "\xCA\xD7\xB8\xE8\xC7\xFA\xBB\xBA\xB4\xE6";
}

// The cache folder's files: two songs the service knows, and entries the scan must skip.
struct CacheSong {
  std::string fileName;
  std::string bytes;
  std::string expectedTarget;  // the name the service's page gives, ".mp3" added
};

std::vector<CacheSong> cacheSongs() {
  std::string first("ID3\x03\x00\x00\x00\xff\xfb\x90\x00", 11);
  for (int i = 0; i < 5000; ++i) first.push_back(static_cast<char>((i * 37) & 0xFF));
  std::string second(3000, '\0');
  for (std::size_t i = 0; i < second.size(); i += 7) second[i] = static_cast<char>(i & 0xFF);
  return {
      {"123456-320-abc.uc", first,
       "\xC1\xD6\xD0\xA1\xD3\xEA - \xBA\xA3\xB1\xDF\xB5\xC4\xB7\xE7.mp3"},  // 林小雨 - 海边的风.mp3
      {"200001-128-x.UC", second, "Ana Lima - Night Drive.mp3"},
  };
}

// ---- Files ----

bool writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool fileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void removeTree(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        removeTree(path);
      } else {
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}

std::string folderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

// ---- Waiting ----

bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 20000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < end) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return condition();
}

// ---- Windows of another process ----

struct WindowSearch {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK collectWindowOfProcess(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && IsWindowVisible(window)) search->found.push_back(window);
  return TRUE;
}

std::vector<HWND> topLevelWindowsOf(DWORD processId) {
  WindowSearch search{processId, {}};
  EnumWindows(collectWindowOfProcess, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string textOf(HWND window) {
  char buffer[4096] = "";
  DWORD_PTR length = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL, 5000,
                      &length);
  return std::string(buffer, length);
}

std::string classOf(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

HWND topLevelWindowWithClass(DWORD processId, const std::string& className, HWND except = nullptr) {
  for (HWND window : topLevelWindowsOf(processId)) {
    if (window != except && classOf(window) == className) return window;
  }
  return nullptr;
}

std::vector<HWND> childrenInOrder(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

HWND childWithText(HWND parent, const std::string& text) {
  for (HWND child : childrenInOrder(parent)) {
    if (textOf(child) == text) return child;
  }
  return nullptr;
}

RECT rectInClient(HWND control, HWND parent) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

LONG styleOf(HWND window) { return GetWindowLongA(window, GWL_STYLE); }
LONG exStyleOf(HWND window) { return GetWindowLongA(window, GWL_EXSTYLE); }

// ---- The program under test ----

enum Control { kStatusLabel, kProgressBar, kStartButton, kCaptionLabel, kFolderEdit, kBrowseButton };

class RunningApp {
 public:
  // Starts the program from C:\ (not its own folder) and waits for its main window.
  explicit RunningApp(const std::string& exe) {
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, "C:\\",
                              &startup, &process_) != 0;
    if (!started_) return;
    WaitForInputIdle(process_.hProcess, 10000);
    waitUntil([this] {
      window_ = topLevelWindowWithClass(process_.dwProcessId, "CorvalinMainWindow");
      return window_ != nullptr;
    });
    if (window_ != nullptr) controls_ = childrenInOrder(window_);
  }
  ~RunningApp() {
    if (!started_) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  RunningApp(const RunningApp&) = delete;
  RunningApp& operator=(const RunningApp&) = delete;

  bool ready() const { return window_ != nullptr && controls_.size() == 6; }
  HWND window() const { return window_; }
  HWND control(Control c) const { return controls_[c]; }
  DWORD processId() const { return process_.dwProcessId; }
  std::string text(Control c) const { return textOf(control(c)); }

  void click(Control c) const { PostMessageA(control(c), BM_CLICK, 0, 0); }

  // The picker: a dialog of this process other than the main window.
  HWND waitForDialog(const std::string& className = "#32770") const {
    HWND dialog = nullptr;
    waitUntil([&] {
      dialog = topLevelWindowWithClass(process_.dwProcessId, className, window_);
      return dialog != nullptr;
    });
    return dialog;
  }

  // The exit code once the process has ended, or STILL_ACTIVE after the timeout.
  DWORD exitCode(int timeoutMs = 20000) const {
    WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeoutMs));
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

  HWND focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(process_.dwThreadId, &info);
    return info.hwndFocus;
  }

  int progressPosition() const { return static_cast<int>(SendMessageA(control(kProgressBar), PBM_GETPOS, 0, 0)); }
  int progressLimit(bool low) const {
    return static_cast<int>(SendMessageA(control(kProgressBar), PBM_GETRANGE, low ? TRUE : FALSE, 0));
  }

 private:
  bool started_ = false;
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
  std::vector<HWND> controls_;
};

// Keys go through the system's input, to the window in the foreground.
void pressKey(WORD key, bool withShift = false) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD k, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = k;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  if (withShift) add(VK_SHIFT, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  if (withShift) add(VK_SHIFT, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

HWND childWithClass(HWND parent, const char* className) {
  for (HWND child : childrenInOrder(parent)) {
    if (_stricmp(classOf(child).c_str(), className) == 0) return child;
  }
  return nullptr;
}

// Selects `folder` (on C:) in the open picker, as a user would by clicking it in the tree.
// A picker that is still filling its tree may miss the request, so it is repeated until the
// tree's selection moves.
bool selectInPicker(DWORD processId, HWND picker, const std::string& folder) {
  HWND tree = childWithClass(picker, WC_TREEVIEWA);
  if (tree == nullptr || !waitUntil([&] { return SendMessageA(tree, TVM_GETCOUNT, 0, 0) > 0; })) return false;
  auto selected = [&] { return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)); };
  const HTREEITEM before = selected();
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
  if (process == nullptr) return false;
  void* remote = VirtualAllocEx(process, nullptr, folder.size() + 1, MEM_COMMIT, PAGE_READWRITE);
  bool moved = false;
  if (remote != nullptr && WriteProcessMemory(process, remote, folder.c_str(), folder.size() + 1, nullptr)) {
    for (int attempt = 0; attempt < 20 && !moved; ++attempt) {
      SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(remote));
      moved = waitUntil([&] { return selected() != before; }, 500);
    }
  }
  if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return moved;
}

void pressDialogButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// ---- Fixture ----

class GuiTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    removeTree(kWorkRoot);
    CreateDirectoryA(kWorkRoot.c_str(), nullptr);
    CreateDirectoryA(kCacheFolder.c_str(), nullptr);
    for (const CacheSong& song : cacheSongs()) writeFile(kCacheFolder + "\\" + song.fileName, song.bytes);
    writeFile(kCacheFolder + "\\notes.txt", "not a cache file");
    CreateDirectoryA((kCacheFolder + "\\old.uc").c_str(), nullptr);
    for (const std::string& path : kRootCacheFiles) writeFile(path, "root cache file");
    CreateDirectoryA(folderOf(app()).c_str(), nullptr);
    CopyFileA(appSource.c_str(), app().c_str(), FALSE);
  }
  static void TearDownTestSuite() {
    for (const std::string& path : kRootCacheFiles) DeleteFileA(path.c_str());
  }
  static std::string app() { return kWorkRoot + "\\app\\cacheconv.exe"; }

  // Browse with the picker answered by choosing `folder`, or cancelled when it is empty.
  static void browse(const RunningApp& running, const std::string& folder) {
    running.click(kBrowseButton);
    HWND picker = running.waitForDialog();
    ASSERT_NE(picker, nullptr) << "no folder picker appeared";
    if (folder.empty()) {
      pressDialogButton(picker, IDCANCEL);
    } else {
      ASSERT_TRUE(selectInPicker(running.processId(), picker, folder));
      pressDialogButton(picker, IDOK);
    }
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(picker); }));
  }
};

TEST_F(GuiTest, WindowOpensCentredWithItsFrameAndTitle) {
  RunningApp running(app());
  ASSERT_TRUE(running.ready());
  RECT frame;
  GetWindowRect(running.window(), &frame);
  EXPECT_EQ(frame.left, 770);
  EXPECT_EQ(frame.top, 444);
  EXPECT_EQ(frame.right - frame.left, 380);
  EXPECT_EQ(frame.bottom - frame.top, 191);
  EXPECT_EQ(textOf(running.window()), kWindowTitle);

  const LONG style = styleOf(running.window());
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(exStyleOf(running.window()) & WS_EX_TOPMOST);
  EXPECT_FALSE(IsZoomed(running.window()));
  EXPECT_FALSE(IsIconic(running.window()));
  EXPECT_EQ(GetWindow(running.window(), GW_OWNER), nullptr);  // a taskbar window

  // Not resizable: the left edge and the bottom-right corner are plain border, not sizing.
  const LPARAM leftEdge = MAKELPARAM(frame.left, (frame.top + frame.bottom) / 2);
  const LPARAM corner = MAKELPARAM(frame.right - 1, frame.bottom - 1);
  EXPECT_EQ(SendMessageA(running.window(), WM_NCHITTEST, 0, leftEdge), HTBORDER);
  EXPECT_EQ(SendMessageA(running.window(), WM_NCHITTEST, 0, corner), HTBORDER);

  // Minimizable and back.
  SendMessageA(running.window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(waitUntil([&] { return IsIconic(running.window()) != 0; }));
  SendMessageA(running.window(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(waitUntil([&] { return IsIconic(running.window()) == 0; }));
}

struct ExpectedControl {
  Control control;
  const char* className;
  RECT rect;  // in the window's client area
  const char* text;
  bool enabled;
  bool tabStop;
};

TEST_F(GuiTest, ControlsAreCreatedInTableOrderWithTheirSettings) {
  RunningApp running(app());
  ASSERT_TRUE(running.ready());
  const ExpectedControl expected[] = {
      {kStatusLabel, "Static", {24, 80, 120, 120}, "", true, false},
      {kProgressBar, "msctls_progress32", {0, 136, 380, 160}, "", true, false},
      {kStartButton, "Button", {143, 80, 231, 128}, kStart, true, true},
      {kCaptionLabel, "Static", {8, 16, 80, 48}, kCaption, true, false},
      {kFolderEdit, "Edit", {80, 16, 312, 48}, "", false, true},
      {kBrowseButton, "Button", {315, 15, 371, 47}, kBrowse, true, true},
  };
  for (const ExpectedControl& e : expected) {
    SCOPED_TRACE(e.control);
    HWND control = running.control(e.control);
    EXPECT_EQ(_stricmp(classOf(control).c_str(), e.className), 0) << classOf(control);
    const RECT rect = rectInClient(control, running.window());
    EXPECT_EQ(rect.left, e.rect.left);
    EXPECT_EQ(rect.top, e.rect.top);
    EXPECT_EQ(rect.right, e.rect.right);
    EXPECT_EQ(rect.bottom, e.rect.bottom);
    EXPECT_EQ(running.text(e.control), e.text);
    EXPECT_TRUE(IsWindowVisible(control));
    EXPECT_EQ(IsWindowEnabled(control) != 0, e.enabled);
    EXPECT_EQ((styleOf(control) & WS_TABSTOP) != 0, e.tabStop);
    EXPECT_EQ(GetParent(control), running.window());
  }

  for (Control label : {kStatusLabel, kCaptionLabel}) {
    const LONG style = styleOf(running.control(label));
    EXPECT_EQ(style & SS_TYPEMASK, SS_LEFTNOWORDWRAP);  // one line, left, cut at the edge
    EXPECT_TRUE(style & SS_CENTERIMAGE);                 // vertically centred
    EXPECT_FALSE(style & (WS_BORDER | SS_SUNKEN));
  }
  for (Control button : {kStartButton, kBrowseButton}) {
    const LONG style = styleOf(running.control(button));
    EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON);  // not a default button
    EXPECT_EQ(style & (BS_MULTILINE | BS_CENTER | BS_VCENTER), BS_MULTILINE | BS_CENTER | BS_VCENTER);
  }

  HWND edit = running.control(kFolderEdit);
  const LONG editStyle = styleOf(edit);
  EXPECT_TRUE(editStyle & ES_AUTOHSCROLL);
  EXPECT_FALSE(editStyle & (ES_MULTILINE | ES_PASSWORD | ES_READONLY | ES_NOHIDESEL | ES_UPPERCASE |
                            ES_LOWERCASE | ES_CENTER | ES_RIGHT));
  EXPECT_TRUE(exStyleOf(edit) & WS_EX_CLIENTEDGE);
  EXPECT_GE(static_cast<unsigned long>(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEul);

  HWND bar = running.control(kProgressBar);
  EXPECT_FALSE(styleOf(bar) & (PBS_SMOOTH | PBS_VERTICAL | PBS_MARQUEE));
  EXPECT_TRUE(exStyleOf(bar) & WS_EX_STATICEDGE);
  EXPECT_EQ(running.progressLimit(true), 0);
  EXPECT_EQ(running.progressLimit(false), 100);
  EXPECT_EQ(running.progressPosition(), 0);
}

// What a control shows on the screen: where its dark (text) pixels lie and the colours seen.
struct Ink {
  int top = -1, bottom = -1;  // rows with dark pixels, relative to the control's top; -1: none
  COLORREF darkest = RGB(255, 255, 255);
  COLORREF corner = 0;  // the pixel at (1, 1)
  int height() const { return top < 0 ? 0 : bottom - top + 1; }
};

// Reads the control's pixels from the screen; `margin` leaves out a border drawn around it.
Ink inkOf(HWND control, int margin) {
  RECT rect;
  GetWindowRect(control, &rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  Ink ink;
  int darkestSum = 3 * 255;
  const auto* pixels = static_cast<const DWORD*>(bits);
  auto colourAt = [&](int x, int y) {
    const DWORD p = pixels[y * width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  };
  ink.corner = colourAt(1, 1);
  for (int y = margin; y < height - margin; ++y) {
    for (int x = margin; x < width - margin; ++x) {
      const COLORREF c = colourAt(x, y);
      const int sum = GetRValue(c) + GetGValue(c) + GetBValue(c);
      if (sum < darkestSum) {
        darkestSum = sum;
        ink.darkest = c;
      }
      if (sum < 3 * 110) {
        if (ink.top < 0) ink.top = y;
        ink.bottom = y;
      }
    }
  }
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ink;
}

// Wine cannot pass WM_GETFONT between processes, so the fonts are checked on the screen:
// 标签1's 16-pixel characters stand taller than the default GUI font's, every label is drawn
// black on the button face and vertically centred.
TEST_F(GuiTest, LabelsDrawBlackCentredTextAndTheCaptionInItsOwnLargerFont) {
  RunningApp running(app());
  ASSERT_TRUE(running.ready());
  browse(running, "");  // gives 标签2 a text in the default GUI font
  ASSERT_TRUE(waitUntil([&] { return running.text(kStatusLabel) == countCaption(3); }));
  SetForegroundWindow(running.window());
  std::this_thread::sleep_for(std::chrono::milliseconds(500));

  const Ink caption = inkOf(running.control(kCaptionLabel), 0);
  const Ink status = inkOf(running.control(kStatusLabel), 0);
  const Ink button = inkOf(running.control(kBrowseButton), 3);
  ASSERT_GT(caption.height(), 0);
  ASSERT_GT(status.height(), 0);
  ASSERT_GT(button.height(), 0);
  EXPECT_GE(caption.height(), 13);
  EXPECT_GT(caption.height(), status.height() + 2);
  EXPECT_GT(caption.height(), button.height() + 2);
  EXPECT_LE(std::abs(status.height() - button.height()), 1);  // the same font

  const COLORREF buttonFace = GetSysColor(COLOR_BTNFACE);
  for (const Ink* label : {&caption, &status}) {
    EXPECT_EQ(label->darkest, RGB(0, 0, 0));
    EXPECT_EQ(label->corner, buttonFace);
  }
  // Vertically centred: as much space above the text as below it, give or take the glyphs.
  EXPECT_LE(std::abs(caption.top - (32 - 1 - caption.bottom)), 4);
  EXPECT_LE(std::abs(status.top - (40 - 1 - status.bottom)), 4);
}

TEST_F(GuiTest, TabVisitsOnlyTheTwoButtonsEnterClicksNothingAndEscCloses) {
  RunningApp running(app());
  ASSERT_TRUE(running.ready());
  SetForegroundWindow(running.window());
  ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == running.window(); }));
  EXPECT_EQ(running.focus(), running.control(kStartButton));

  const HWND start = running.control(kStartButton);
  const HWND browseButton = running.control(kBrowseButton);
  const HWND expectedAfterTab[] = {browseButton, start, browseButton, start};
  for (HWND expected : expectedAfterTab) {
    pressKey(VK_TAB);
    EXPECT_EQ(running.focus(), expected);
  }
  pressKey(VK_TAB, true);
  EXPECT_EQ(running.focus(), browseButton);

  // Back on the Start button: Enter would start a run, which writes its end into 标签2.
  pressKey(VK_TAB, true);
  ASSERT_EQ(running.focus(), start);
  pressKey(VK_RETURN);
  EXPECT_EQ(running.text(kStatusLabel), "");
  EXPECT_EQ(running.focus(), start);

  pressKey(VK_TAB);
  ASSERT_EQ(running.focus(), browseButton);
  pressKey(VK_ESCAPE);
  EXPECT_EQ(running.exitCode(), 0u);
}

TEST_F(GuiTest, BrowseListsTheChosenFolderAndStartConvertsIt) {
  RunningApp running(app());
  ASSERT_TRUE(running.ready());
  running.click(kBrowseButton);
  HWND picker = running.waitForDialog();
  ASSERT_NE(picker, nullptr);
  EXPECT_EQ(GetWindow(picker, GW_OWNER), running.window());
  EXPECT_FALSE(IsWindowEnabled(running.window()));  // modal
  EXPECT_NE(childWithText(picker, kPickerTitle), nullptr);
  ASSERT_TRUE(selectInPicker(running.processId(), picker, kCacheFolder));
  pressDialogButton(picker, IDOK);
  ASSERT_TRUE(waitUntil([&] { return running.text(kStatusLabel) == countCaption(2); }))
      << running.text(kStatusLabel) << " " << running.text(kFolderEdit);
  EXPECT_EQ(running.text(kFolderEdit), kCacheFolder);
  EXPECT_TRUE(IsWindowEnabled(running.window()));

  running.click(kStartButton);
  ASSERT_TRUE(waitUntil([&] { return running.text(kStatusLabel) == kDone; }, 60000)) << running.text(kStatusLabel);
  EXPECT_EQ(running.progressPosition(), 2);
  EXPECT_EQ(running.progressLimit(false), 2);
  for (const CacheSong& song : cacheSongs()) {
    SCOPED_TRACE(song.expectedTarget);
    const std::string target = kCacheFolder + "\\" + song.expectedTarget;
    ASSERT_TRUE(fileExists(target));
    EXPECT_TRUE(readFile(target) == song.bytes);
    EXPECT_TRUE(readFile(kCacheFolder + "\\" + song.fileName) == song.bytes);  // left unchanged
  }

  SendMessageA(running.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(running.exitCode(), 0u);
}

TEST_F(GuiTest, CancelledPickerEmptiesTheFolderAndScansTheRootOfTheProgramsDrive) {
  RunningApp running(app());
  ASSERT_TRUE(running.ready());
  browse(running, kCacheFolder);
  ASSERT_EQ(running.text(kFolderEdit), kCacheFolder);
  browse(running, "");
  // A scan starts from an empty list: only the three files at the root of C: are counted.
  EXPECT_TRUE(waitUntil([&] { return running.text(kStatusLabel) == countCaption(3); })) << running.text(kStatusLabel);
  EXPECT_EQ(running.text(kFolderEdit), "");
  SendMessageA(running.window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(running.exitCode(), 0u);
}

TEST_F(GuiTest, ClosingTheWindowDuringARunEndsTheRunAndTheProgram) {
  RunningApp running(app());
  ASSERT_TRUE(running.ready());
  browse(running, kCacheFolder);
  ASSERT_TRUE(waitUntil([&] { return running.text(kStatusLabel) == countCaption(2); }));
  for (const CacheSong& song : cacheSongs()) DeleteFileA((kCacheFolder + "\\" + song.expectedTarget).c_str());

  // Both queued at once: the close is taken after the run's first entry.
  running.click(kStartButton);
  PostMessageA(running.window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(running.exitCode(), 0u);
  const std::vector<CacheSong> songs = cacheSongs();
  EXPECT_TRUE(readFile(kCacheFolder + "\\" + songs[0].expectedTarget) == songs[0].bytes);  // written, kept
  EXPECT_FALSE(fileExists(kCacheFolder + "\\" + songs[1].expectedTarget));                 // not reached
}

// Wine takes a library beside the program instead of its own WinINet only when told so in
// the environment it starts with: scripts/gui-test runs this test alone with that setting.
TEST_F(GuiTest, MissingWinInetExportShowsTheRunErrorAndEndsWithMinusOne) {
  char overrides[256] = "";
  GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
  ASSERT_NE(std::string(overrides).find("wininet=n"), std::string::npos) << "needs WINEDLLOVERRIDES=wininet=n";
  const std::string folder = kWorkRoot + "\\standin";
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(appSource.c_str(), (folder + "\\cacheconv.exe").c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(standInSource.c_str(), (folder + "\\wininet.dll").c_str(), FALSE));
  RunningApp running(folder + "\\cacheconv.exe");
  ASSERT_TRUE(running.ready());
  browse(running, kCacheFolder);
  running.click(kStartButton);

  HWND box = nullptr;
  ASSERT_TRUE(waitUntil([&] {
    for (HWND window : topLevelWindowsOf(running.processId())) {
      if (textOf(window) == kErrorTitle) box = window;
    }
    return box != nullptr;
  }));
  bool namesLibraryAndExport = false;
  for (HWND child : childrenInOrder(box)) {
    if (textOf(child).find(kMissingInternetOpen) != std::string::npos) namesLibraryAndExport = true;
  }
  EXPECT_TRUE(namesLibraryAndExport);
  pressDialogButton(box, IDOK);
  EXPECT_EQ(running.exitCode(), static_cast<DWORD>(-1));
}

// Started from a folder whose name ends in a character whose second byte is "\": the whole
// folder, not a cut inside that character, becomes the current directory.
TEST_F(GuiTest, ProgramFolderWithBackslashTrailByteBecomesCurrent) {
  const std::string folder = kWorkRoot + "\\\xD5\x5C";  // 誠
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string check = folder + "\\folder_check.exe";
  ASSERT_TRUE(CopyFileA(folderCheckSource.c_str(), check.c_str(), FALSE));
  std::string commandLine = "\"" + check + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessA(check.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, "C:\\",
                             &startup, &process));
  WaitForSingleObject(process.hProcess, 20000);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_EQ(code, 0u);
}

}  // namespace

// For the screenshot: the window with a scanned folder and a run part-way. The songs of this
// folder answer slowly (tests/fixtures/gui/screenshot_songs.tsv), so the window stands still
// while a picture is taken; "posed" is printed then, and the run is left to finish.
int pose() {
  const std::string folder = "C:\\corvalin-screenshot";
  removeTree(folder);
  CreateDirectoryA(folder.c_str(), nullptr);
  for (int song = 1; song <= 6; ++song) writeFile(folder + "\\" + std::to_string(700 + song) + "-320-a.uc", "x");
  const std::string app = folder + "\\app\\cacheconv.exe";
  CreateDirectoryA(folderOf(app).c_str(), nullptr);
  if (!CopyFileA(appSource.c_str(), app.c_str(), FALSE)) return 1;
  RunningApp running(app);
  if (!running.ready()) return 1;
  running.click(kBrowseButton);
  HWND picker = running.waitForDialog();
  if (picker == nullptr || !selectInPicker(running.processId(), picker, folder)) return 1;
  pressDialogButton(picker, IDOK);
  if (!waitUntil([&] { return running.text(kStatusLabel) == countCaption(6); })) return 1;
  running.click(kStartButton);
  if (!waitUntil([&] { return running.progressPosition() >= 3; }, 60000)) return 1;
  std::printf("posed\n");
  std::fflush(stdout);
  return running.exitCode(120000) == STILL_ACTIVE ? 1 : 0;
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const bool posing = argc >= 3 && std::string(argv[1]) == "--pose";
  if (!posing && argc < 4) {
    std::fprintf(stderr,
                 "usage: %s <cacheconv.exe> <wininet.dll stand-in> <folder_check.exe>\n"
                 "       %s --pose <cacheconv.exe>\n",
                 argv[0], argv[0]);
    return 2;
  }
  if (posing) {
    appSource = argv[2];
    return pose();
  }
  appSource = argv[1];
  standInSource = argv[2];
  folderCheckSource = argv[3];
  return RUN_ALL_TESTS();
}
