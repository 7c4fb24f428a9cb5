#pragma once
// Shared pieces of the dialog tests under Wine: a scratch folder in the build
// tree (seen by Wine as Z:), the settings over its vorkel.cfg, the local
// version server, and inspections run while a modal window shows.

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "Gui/Application.h"
#include "Gui/Forms.h"
#include "Gui/Graphics.h"
#include "Gui/StdCtrls.h"
#include "Platform/HttpGet.h"
#include "Platform/win32/UniqueHandle.h"
#include "Platform/win32/Utf16.h"
#include "Tools/CfgFile/Options.h"
#include "tests/Gui/GuiTestSupport.h"
#include "tests/MessageBox/WindowCapture.h"

namespace vk::test {

// A fresh folder under the build tree, removed at the end. Unix() is its
// path for programs outside Wine, Path() for this program.
class ScratchDir {
 public:
  ScratchDir() {
    static int counter = 0;
    unix_ = std::string(VK_SCRATCH_ROOT) + "/run-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter);
    CreateDirectoryW(platform::Utf8ToWide(Path("")).c_str(), nullptr);
  }
  ~ScratchDir() {
    for (const char* name : {"vorkel.cfg", "port", "requests.log", "requests.log.connections"})
      DeleteFileW(platform::Utf8ToWide(Path(name)).c_str());
    RemoveDirectoryW(platform::Utf8ToWide(Path("")).c_str());
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  std::string Unix(const std::string& name) const { return unix_ + "/" + name; }
  // "Z:\...\name" (with the trailing delimiter for an empty name).
  std::string Path(const std::string& name) const {
    std::string path = "Z:" + unix_ + "/" + name;
    for (char& c : path) c = c == '/' ? '\\' : c;
    return path;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void Write(const std::string& name, const std::string& text) const {
    std::ofstream out(Path(name), std::ios::binary);
    out << text;
  }

 private:
  std::string unix_;
};

// The settings of a run over the folder's vorkel.cfg, for as long as it lives.
class SettingsScope {
 public:
  explicit SettingsScope(const ScratchDir& dir) {
    CreateProgOptions(std::make_unique<TProgOptions>(dir.Path("vorkel.cfg"), kUninstallKeyName));
  }
  ~SettingsScope() { FreeProgOptions(); }
  SettingsScope(const SettingsScope&) = delete;
  SettingsScope& operator=(const SettingsScope&) = delete;
};

// Debian's python3 serving the version text as the mode says (see
// version_server.py), on a port of its own; stopped at the end (and by itself
// after a minute).
class VersionServer {
 public:
  VersionServer(const ScratchDir& dir, const std::string& mode) : dir_(dir), mode_(mode) {
    std::wstring command = L"Z:\\usr\\bin\\python3 " +
                           platform::Utf8ToWide(std::string(VK_DIALOGS_TEST_DIR) + "/version_server.py " + mode + " " +
                                                dir.Unix("port") + " " + dir.Unix("requests.log"));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // Wine starts a Unix program without a process handle to wait on.
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
      if (info.hProcess) CloseHandle(info.hProcess);
      if (info.hThread) CloseHandle(info.hThread);
    }
    for (int i = 0; i < 200 && port_.empty(); ++i) {
      port_ = dir.Read("port");
      if (port_.empty()) Sleep(50);
    }
  }
  ~VersionServer() {
    if (port_.empty()) return;
    try {
      platform::NewHttpGetter()->Get("http://" + Address() + "/quit", {});
    } catch (const std::exception&) {
    }
  }
  VersionServer(const VersionServer&) = delete;
  VersionServer& operator=(const VersionServer&) = delete;

  bool Started() const { return !port_.empty(); }
  std::string Address() const { return "127.0.0.1:" + port_; }
  // The paths asked for so far, one a line.
  std::string Requests() const { return dir_.Read("requests.log"); }
  // Whether the mode holds the connection until the client closes it, and
  // what the server saw of it then (see version_server.py).
  bool Holds() const {
    for (const char* held : {"headers", "silence", "trickle", "chunked", "redirect"})
      if (mode_ == held) return true;
    return false;
  }
  std::string Connections() const { return dir_.Read("requests.log.connections"); }

 private:
  const ScratchDir& dir_;
  std::string mode_;
  std::string port_;
};

// Runs inspections from the loop while a modal window shows: each is posted
// to the application window and run by the message hook.
class ModalTest : public gui::test::GuiTest {
 protected:
  static constexpr UINT kInspect = WM_APP + 41;

  void SetUp() override {
    GuiTest::SetUp();
    gui::Application.Initialize();
    gui::Application.OnMessage = [this](MSG& message, bool& handled) {
      if (message.hwnd != gui::Application.Handle() || message.message != kInspect) return;
      handled = true;
      if (inspections.empty()) return;
      auto next = std::move(inspections.front());
      inspections.erase(inspections.begin());
      next();
    };
  }
  void WhenShowing(std::function<void()> inspection) {
    inspections.push_back(std::move(inspection));
    PostMessageW(gui::Application.Handle(), kInspect, 0, 0);
  }
  // Runs the messages already queued (typed keys) before the next look.
  static void Settle() {
    for (int i = 0; i < 5; ++i) {
      gui::Application.ProcessMessages();
      Sleep(10);
    }
  }
  static void Type(HWND window, const std::wstring& text) {
    for (wchar_t c : text) PostMessageW(window, WM_CHAR, c, 1);
  }

  std::vector<std::function<void()>> inspections;
};

// Starts the dialogs' host program in a second process: it shows the window
// of the kind named ("about", "prompt") for the folder, under the title.
// Null when the process could not be started.
inline platform::UniqueKernelHandle StartDialogsHost(const std::string& kind, const ScratchDir& dir,
                                                     const std::string& title) {
  std::wstring program = platform::Utf8ToWide(std::string(VK_DIALOGS_HOST));
  const std::string folder = dir.Path("").substr(0, dir.Path("").size() - 1);
  std::wstring command = L"\"" + program + L"\" " + platform::Utf8ToWide(kind) + L" \"" + platform::Utf8ToWide(folder) +
                         L"\" \"" + platform::Utf8ToWide(title) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return platform::UniqueKernelHandle();
  CloseHandle(info.hThread);
  return platform::UniqueKernelHandle(info.hProcess);
}

// The texts of the form's labels that do not show whole: measured with the
// label's own font (word-wrapped at its width), the text needs more room than
// the label has, or the label reaches past the client area.
inline std::vector<std::string> CutLabels(gui::TForm& form) {
  std::vector<std::string> cut;
  for (gui::TControl* control : form.Controls()) {
    auto* label = dynamic_cast<gui::TLabel*>(control);
    if (!label || !label->Visible() || label->Caption().empty()) continue;
    gui::WindowDc screen(nullptr);
    gui::TCanvas canvas(screen.Dc());
    canvas.Font = label->Font();
    RECT need{0, 0, label->WordWrap() ? label->Width() : 0, 0};
    canvas.DrawText(need, label->Caption(),
                    DT_CALCRECT | DT_EXPANDTABS | (label->WordWrap() ? DT_WORDBREAK : 0) |
                        (label->ShowAccelChar() ? 0 : DT_NOPREFIX));
    if (need.right > label->Width() || need.bottom > label->Height() ||
        label->Left() + label->Width() > form.ClientWidth() || label->Top() + label->Height() > form.ClientHeight()) {
      cut.push_back(label->Caption());
    }
  }
  return cut;
}

}  // namespace vk::test
