#include "Tools/CfgFile/BaseOptions.h"

#include <chrono>
#include <thread>

#include "Platform/Registry.h"
#include "Platform/TextFile.h"
#include "Tools/CfgFile/MemIniFile.h"
#include "Tools/Service/RegionInfo.h"

namespace vk {
namespace {

constexpr const char* kUnit = "Tools\\CfgFile\\BaseOptions";
constexpr int kOpenAttempts = 20;
constexpr int kOpenRetryMs = 150;

TOptionsEnvironment Completed(TOptionsEnvironment environment) {
  if (!environment.Files) environment.Files = &platform::DefaultTextFiles();
  if (!environment.Registry) environment.Registry = &platform::DefaultRegistry();
  if (!environment.FileCodePage) environment.FileCodePage = SystemAnsiCodePage();
  if (!environment.Sleep) {
    environment.Sleep = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
  }
  return environment;
}

}  // namespace

TParam::TParam(TCfgOptions* owner, const std::string& scName, const std::string& prName)
    : owner_(owner), scName_(scName), prName_(prName) {
  Assert(owner != nullptr, "Not assigned owner param of constructor", kUnit);
  Assert(!scName.empty(), "Empty scName parameter of constructor", kUnit);
  Assert(!prName.empty(), "Empty prName parameter of constructor", kUnit);
}

TParam::~TParam() = default;

void TParam::ReadValue() {
  if (!IsEmpty()) return;
  try {
    owner_->ReadParam(*this);
  } catch (...) {
    Clear();
  }
}

void TParam::WriteValue() {
  try {
    owner_->WriteParam(*this);
  } catch (...) {
    Clear();
  }
}

TCfgOptions::TCfgOptions(const std::string& fileName, TOptionsEnvironment environment)
    : fileName_(fileName), environment_(Completed(std::move(environment))) {
  int count = 0;
  bool opened = false;
  while (!opened && count < kOpenAttempts) {
    try {
      Open();
      opened = true;
    } catch (...) {
      ++count;
      environment_.Sleep(kOpenRetryMs);
    }
  }
  if (!opened) throw Exception("Error while open " + fileName);
}

TCfgOptions::~TCfgOptions() = default;

void TCfgOptions::Open() {
  platform::WholeReadResult file = environment_.Files->ReadWhole(fileName_);
  if (file.Status == platform::WholeReadStatus::Failed) throw EOSError(file.Error);
  DecodedIni decoded = DecodeIniFile(file.Bytes, environment_.FileCodePage);
  encoding_ = decoded.Encoding;
  ini_ = std::make_unique<TMemIniFile>(decoded.Text);
}

void TCfgOptions::UpdateFile() {
  const std::string text = ini_->Text();
  const IniEncoding encoding = EncodingToWrite(text, encoding_, environment_.FileCodePage);
  environment_.Files->ReplaceWhole(fileName_, EncodeIniFile(text, encoding, environment_.FileCodePage));
  encoding_ = encoding;  // the file on disk is in this form now
}

void TCfgOptions::ReadParam(TParam& param) {
  auto lock = Lock();
  param.Reader()->IniRead(*ini_);
}

void TCfgOptions::WriteParam(TParam& param) {
  auto lock = Lock();
  param.Reader()->IniWrite(*ini_);
  UpdateFile();
}

TRegOptions::TRegOptions(const std::string& fileName, const std::string& regKeyName, TOptionsEnvironment environment)
    : TCfgOptions((Assert(!regKeyName.empty(), "Empty regKeyName param", kUnit), fileName), std::move(environment)),
      keyPath_(regKeyName.substr(regKeyName.find_first_not_of('\\') == std::string::npos
                                     ? regKeyName.size()
                                     : regKeyName.find_first_not_of('\\'))) {}

void TRegOptions::ReadParam(TParam& param) {
  auto lock = Lock();
  bool empty = true;
  try {
    TCfgOptions::ReadParam(param);
    empty = param.IsEmpty();
  } catch (...) {
  }
  if (!empty) return;
  auto* regReader = dynamic_cast<IRegReader*>(param.Reader());
  if (!regReader) return;
  param.Clear();
  if (auto key = Environment().Registry->OpenCurrentUserKey(keyPath_)) regReader->RegRead(*key);
  if (param.IsEmpty()) return;
  // The copy into the file only spares the next start a registry read; a
  // file that cannot be written (a program folder without write rights)
  // must not cost the value just read. A value the file refuses to hold
  // still raises, and reads as empty.
  try {
    TCfgOptions::WriteParam(param);
  } catch (const EOSError&) {
  }
}

void TRegOptions::WriteParam(TParam& param) {
  auto lock = Lock();
  TCfgOptions::WriteParam(param);
  auto* regReader = dynamic_cast<IRegReader*>(param.Reader());
  if (!regReader) return;
  if (auto key = Environment().Registry->OpenCurrentUserKey(keyPath_)) regReader->RegWrite(*key);
}

}  // namespace vk
