#pragma once
// The uninstaller's own texts, one record per language. The uninstaller
// speaks the language the installation was made in (Russian, Ukrainian or
// English), so it carries the three records itself.

#include <cstdint>
#include <string>

namespace vk::setup {

struct TUninstallText {
  std::string ApplicationTitle;  // the application window's title
  std::string Caption;           // window caption
  std::string Description;       // the question above the folder
  std::string DeleteData;        // the data check box
  std::string BtnDelete;         //
  std::string BtnCancel;         //
  std::string BtnExit;           // Cancel after errors or without an entry
  std::string StepClosing;       // the steps, in their order
  std::string StepDesktop;       //
  std::string StepMenuGroup;     //
  std::string StepData;          //
  std::string StepExportImport;  //
  std::string StepProgramFiles;  //
  std::string StepRegistry;      //
  std::string CannotClose;       // error lines
  std::string CannotRemoveFile;  //
  std::string CannotRemoveDir;   //
  std::string CannotRemoveKey;   //
  std::string NotComplete;       // above the error list
  std::string NotRegistered;     // instead of the question without an entry
  std::string EntryMissing;      // the progress line without an entry
};

// 0 Russian, 1 Ukrainian, any other value English.
const TUninstallText& UninstallTextOf(uint32_t language);

}  // namespace vk::setup
