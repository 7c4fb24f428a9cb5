#include "vkSetup/SetupText.h"

namespace vk::setup {

namespace {

const TSetupText kEnglish{
    .Caption = "Vorkel software installation",
    .VersionPrefix = "Version",
    .Description = "The software is designed to keep warehouse books",
    .LangLabel = "Choose the installation language",
    .LicenseLabel = "Read license agreement conditions carefully",
    .LicenseText =
        "LICENSE AGREEMENT FOR VORKEL\r\n"
        "\r\n"
        "1. Vorkel (the program) may be installed and used free of charge on any number of computers, "
        "for any lawful purpose, by a person or a business.\r\n"
        "2. You may copy the setup program and give it to others unchanged. You may not sell it, "
        "nor pass it off as your own work.\r\n"
        "3. You may not alter, decompile or disassemble the program, except as far as the law of your "
        "country allows it in spite of this condition.\r\n"
        "4. Your stock records are your own. The program keeps them on your computer in its Data folder "
        "and sends none of them anywhere. Keep copies of them: the program makes a daily copy, but no "
        "copy replaces a copy kept on another disk.\r\n"
        "5. The program is given as it is, without any warranty. The authors are not liable for any "
        "loss of data, profit or time that comes from using it or from being unable to use it.\r\n"
        "6. This agreement ends when you remove the program from all your computers.\r\n"
        "\r\n"
        "By clicking Agree you accept these conditions.",
    .BtnAgree = "Agree",
    .PathLabel = "Choose installation folder",
    .DesktopOption = "Create a program shortcut on the Desktop",
    .MenuOption = "Create a program group in Start Menu",
    .ExecOption = "Launch Vorkel after install",
    .BtnNext = "Next >",
    .BtnBack = "< Back",
    .BtnCancel = "Cancel",
    .BtnBrowse = "Browse...",
    .BtnInstall = "Install",
    .BtnExit = "Exit",
    .BrowseCaption = "Browse folders",
    .ProgressStatus = "Installation status:",
    .ProgressPlan = "The installation will be executed with the following preferences:",
    .CompleteLicense =
        "If you agree with the conditions of the license agreement\r\nclick Agree. If you disagree, "
        "click Cancel",
    .CompleteNext = "\r\nTo continue the installation click Next >",
    .CompleteInstall = "\r\nTo continue the installation click Install",
    .CompleteInstalling = "\r\nInstalling...",
    .CompleteSuccess = "\r\nInstallation successful!",
    .CompleteFailure = "Errors occured while installing the program.\r\nInstallation uncomplete!",
    .NoYes = {"No", "Yes"},
    .SummaryLanguage = "Installation language",
    .SummaryFolder = "Installation folder",
    .StepCreateDir = "Creating installation directory",
    .StepError = "Error",
    .ParentMissing = "Could'n find the directory",
    .LowDiskSpace = "Not enough free space on the hard drive",
    .BadDrive = "Hard drive in the directory is entered incorrectly",
    .StepCopyFiles = "Copying program files",
    .StepConfig = "Creating configuration file",
    .StepCheckDisk = "Checking free space on the hard drive",
    .StepMenuGroup = "Creating program group in the Start Menu",
    .StepDesktopLink = "Creating a shortcut on the Desktop",
    .StepRegistry = "Creating a program entry in the Registry",
    .StepCloseRunning = "Checking working software availability",
    .CannotClose = "Can't close a working copy",
    .ConfirmCaption = "File overwrite confirmation",
    .FileExists = "The file already exists.",
    .ReplaceQuestion = "Overwrite an existing file?",
    .BtnYes = "Yes",
    .BtnYesToAll = "Yes for all",
    .BtnNo = "No",
    .BtnNoToAll = "No for all",
    .ActCut = "Cut",
    .ActCopy = "Copy",
    .ActPaste = "Paste",
    .ActSelectAll = "Select all",
    .ActUndo = "Undo",
    .ActDelete = "Delete",
    .LinkDescription = "Warehouse calculation",
    .UninstallLinkDescription = "Uninstall Vorkel software",
    .Publisher = "Halvern",
    .UrlInfoAbout = "",
    .UrlUpdateInfo = "",
    .HelpLink = "",
    .Comments = "Warehouse calculator",
    .ApplicationTitle = "Install Vorkel",
    .BadFolder = "Enter a full folder path below a drive,\r\nfor example C:\\Vorkel",
};

}  // namespace

void GetEngSetupText(TSetupText& text) { text = kEnglish; }

}  // namespace vk::setup
