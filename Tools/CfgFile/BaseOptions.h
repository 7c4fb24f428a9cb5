#pragma once
// Parameters and the stores that read and write them.
//
// A parameter (TParam) is a value with a section and a key; its reader object
// turns the value into INI text or a registry value and back; its store
// decides which sources are asked, in which order, and what is written back.
// TCfgOptions keeps the values in an INI file held wholly in memory and
// rewrites the whole file on every write; TRegOptions adds a registry key of
// the current user as a second source for values the INI file lacks and as a
// mirror of every written value of the registry kinds.
//
// Reads never fail: a value that cannot be read reads as empty (0 or the
// empty text) and is looked up again at the next get. Writes never fail
// either: a value that could not be written becomes empty in memory.
//
// Thread safety: one lock per store guards every read, write and file
// rewrite, and the values the parameters cache; the version check sets
// settings from its own thread while the main thread uses others.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "Core/SysUtils.h"
#include "Tools/CfgFile/IniFileEncoding.h"

namespace vk {

namespace platform {
class Registry;
class RegistryKey;
class TextFiles;
}  // namespace platform

class TCfgOptions;
class TMemIniFile;

// A registry value of the wrong type or size, or one that is missing.
class ERegistryException : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const noexcept override { return "ERegistryException"; }
};

// What a store works on. Every member left empty means the system's own.
struct TOptionsEnvironment {
  platform::TextFiles* Files = nullptr;
  platform::Registry* Registry = nullptr;
  // Code page of a settings file without a byte-order mark; 0: the system's ANSI code page.
  uint32_t FileCodePage = 0;
  // Waits between the attempts to open a locked file.
  std::function<void(int milliseconds)> Sleep;
};

// Turns a parameter's value into INI text and back (bound to the parameter).
class ICfgReader {
 public:
  using IniProc = std::function<void(TMemIniFile&)>;
  ICfgReader(IniProc read, IniProc write) : read_(std::move(read)), write_(std::move(write)) {}
  virtual ~ICfgReader() = default;
  void IniRead(TMemIniFile& ini) { read_(ini); }
  void IniWrite(TMemIniFile& ini) { write_(ini); }

 private:
  IniProc read_, write_;
};

// Adds the registry form; a store mirrors exactly the parameters whose
// reader is one of these.
class IRegReader : public ICfgReader {
 public:
  using RegProc = std::function<void(platform::RegistryKey&)>;
  IRegReader(IniProc iniRead, IniProc iniWrite, RegProc regRead, RegProc regWrite)
      : ICfgReader(std::move(iniRead), std::move(iniWrite)),
        regRead_(std::move(regRead)),
        regWrite_(std::move(regWrite)) {}
  void RegRead(platform::RegistryKey& key) { regRead_(key); }
  void RegWrite(platform::RegistryKey& key) { regWrite_(key); }

 private:
  RegProc regRead_, regWrite_;
};

class TParam {
 public:
  // Asserts an owner and non-empty names (programming errors).
  TParam(TCfgOptions* owner, const std::string& scName, const std::string& prName);
  virtual ~TParam();
  TParam(const TParam&) = delete;
  TParam& operator=(const TParam&) = delete;

  virtual bool IsEmpty() const = 0;
  virtual void Clear() = 0;

  TCfgOptions& Owner() const { return *owner_; }
  const std::string& SectionName() const { return scName_; }
  const std::string& KeyName() const { return prName_; }
  ICfgReader* Reader() const { return FReader.get(); }

 protected:
  // Both run under the owner's lock (see Lock()).
  // Reads the store when the value is empty; a failure leaves it empty.
  void ReadValue();
  // Writes the value through at once; a failure empties it.
  void WriteValue();

  std::unique_ptr<ICfgReader> FReader;

 private:
  TCfgOptions* owner_;
  std::string scName_;
  std::string prName_;
};

class TCfgOptions {
 public:
  // Reads the whole INI file, trying 20 times 150 ms apart while another
  // process holds it; then raises "Error while open " and the file name. A
  // missing file gives an empty store (the first write creates it).
  explicit TCfgOptions(const std::string& fileName, TOptionsEnvironment environment = {});
  virtual ~TCfgOptions();
  TCfgOptions(const TCfgOptions&) = delete;
  TCfgOptions& operator=(const TCfgOptions&) = delete;

  // The parameter's INI form read from memory.
  virtual void ReadParam(TParam& param);
  // The parameter's INI form written, then the whole file rewritten.
  virtual void WriteParam(TParam& param);

  // The store's lock; parameters hold it around every get and set.
  std::unique_lock<std::recursive_mutex> Lock() const { return std::unique_lock(mutex_); }
  const std::string& FileName() const { return fileName_; }

 protected:
  const TOptionsEnvironment& Environment() const { return environment_; }

 private:
  void Open();
  void UpdateFile();

  std::string fileName_;
  TOptionsEnvironment environment_;
  IniEncoding encoding_ = IniEncoding::Ansi;  // of the file on disk
  std::unique_ptr<TMemIniFile> ini_;
  mutable std::recursive_mutex mutex_;
};

class TRegOptions : public TCfgOptions {
 public:
  // regKeyName: an absolute path below HKEY_CURRENT_USER ("\SOFTWARE\...").
  // The key is not opened here, and never created.
  TRegOptions(const std::string& fileName, const std::string& regKeyName, TOptionsEnvironment environment = {});

  // The INI value; when it is empty and the parameter has a registry form,
  // the registry value, which is then copied into the INI file (a failed
  // copy keeps the value read).
  void ReadParam(TParam& param) override;
  // The INI value and file, then the registry value when the key exists.
  void WriteParam(TParam& param) override;

 private:
  std::string keyPath_;  // without the leading backslash
};

}  // namespace vk
