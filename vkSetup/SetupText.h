#pragma once
// The setup program's own texts, one record per language (English, Russian,
// Ukrainian), and the current record the windows and the install steps read.
// The fields follow the order in which the windows were designed; the two
// summary answers form one array indexed by the option's state.

#include <array>
#include <cstdint>
#include <string>

namespace vk::setup {

struct TSetupText {
  std::string Caption;                   // wizard window caption
  std::string VersionPrefix;             // before the product version
  std::string Description;               // first line of the description
  std::string LangLabel;                 // page 1
  std::string LicenseLabel;              // page 2
  std::string LicenseText;               // page 2: the licence agreement
  std::string BtnAgree;                  // Next on page 2
  std::string PathLabel;                 // page 3; title line of the folder dialog
  std::string DesktopOption;             // check box: desktop shortcut
  std::string MenuOption;                // check box: Start-menu group
  std::string ExecOption;                // check box: start after install
  std::string BtnNext;                   // Next on pages 1 and 3
  std::string BtnBack;                   //
  std::string BtnCancel;                 // pages 1-4; the folder dialog's Cancel
  std::string BtnBrowse;                 //
  std::string BtnInstall;                // Next on page 4
  std::string BtnExit;                   // Cancel from the start of the install on
  std::string BrowseCaption;             // folder dialog caption
  std::string ProgressStatus;            // progress heading during the install
  std::string ProgressPlan;              // progress heading on page 4
  std::string CompleteLicense;           // bottom note on page 2
  std::string CompleteNext;              // bottom note on pages 1 and 3
  std::string CompleteInstall;           // bottom note on page 4
  std::string CompleteInstalling;        // bottom note during the install
  std::string CompleteSuccess;           // bottom note after a complete install
  std::string CompleteFailure;           // bottom note after a failed install
  std::array<std::string, 2> NoYes;      // summary answer, [false] and [true]
  std::string SummaryLanguage;           // summary heading
  std::string SummaryFolder;             // summary heading
  std::string StepCreateDir;             // step 3
  std::string StepError;                 // end of a failed step's line
  std::string ParentMissing;             // the folder's parent does not exist
  std::string LowDiskSpace;              // under 8 MiB free
  std::string BadDrive;                  // no drive letter in the folder
  std::string StepCopyFiles;             // step 4
  std::string StepConfig;                // step 6
  std::string StepCheckDisk;             // step 2
  std::string StepMenuGroup;             // step 7
  std::string StepDesktopLink;           // step 8
  std::string StepRegistry;              // step 5
  std::string StepCloseRunning;          // step 1
  std::string CannotClose;               // the running copy did not end
  std::string ConfirmCaption;            // replacement dialog
  std::string FileExists;                //
  std::string ReplaceQuestion;           //
  std::string BtnYes;                    //
  std::string BtnYesToAll;               //
  std::string BtnNo;                     //
  std::string BtnNoToAll;                //
  std::string ActCut;                    // edit menu
  std::string ActCopy;                   //
  std::string ActPaste;                  //
  std::string ActSelectAll;              //
  std::string ActUndo;                   //
  std::string ActDelete;                 //
  std::string LinkDescription;           // the program's shortcuts
  std::string UninstallLinkDescription;  // the uninstaller's shortcut
  std::string Publisher;                 // uninstall entry
  std::string UrlInfoAbout;              // uninstall entry
  std::string UrlUpdateInfo;             // uninstall entry
  std::string HelpLink;                  // uninstall entry
  std::string Comments;                  // uninstall entry
  std::string ApplicationTitle;          // task-bar title
  std::string BadFolder;                 // the folder page refuses the folder
};

void GetEngSetupText(TSetupText& text);
void GetRusSetupText(TSetupText& text);
void GetUkrSetupText(TSetupText& text);

}  // namespace vk::setup
