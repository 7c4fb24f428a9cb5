#pragma once
// The program's message box as code without windows of its own reaches it
// (the export, import and report framework, its bridges). Start-up points it
// at ShowMessageBox; tests put a recorder in its place. Portable.

#include <functional>
#include <string>

namespace vk {

// Text, caption, flags (MessageBoxRules.h) and the two buttons' captions and
// hints; answers 1 for the first button, 2 for the second.
using TMessageBoxCall =
    std::function<int(const std::string& text, const std::string& caption, int flags, const std::string& firstCaption,
                      const std::string& firstHint, const std::string& secondCaption, const std::string& secondHint)>;

// Sets the box the calls below go to; returns the one set before.
TMessageBoxCall SetProgramMessageBox(TMessageBoxCall call);

// Shows the box and answers as it does. Without a box set the text cannot be
// shown: Exception with the text is raised, so that it reaches the program's
// exception handler instead of being lost.
int ProgramMessageBox(const std::string& text, const std::string& caption, int flags, const std::string& firstCaption,
                      const std::string& firstHint, const std::string& secondCaption = {},
                      const std::string& secondHint = {});

}  // namespace vk
