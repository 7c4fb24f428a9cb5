#include "Source/StoreDataOpen.h"

#include "Tools/Service/TextConst.h"
#include "vkNames/MessageBoxRules.h"

namespace vk {

bool OpenStoreData(TStore& store, const TShowBox& showBox) {
  std::string missing;
  if (!store.CheckData(missing, kDataFolderName)) return OpenDataFolder(store, showBox);
  bool copied = true;
  try {
    copied = store.DailyBackup(store.DailyCopyName()) != TStore::TDailyCopy::Failed;
  } catch (const std::exception&) {
    copied = false;
  }
  if (!copied) showBox(ProgTexts.BackupError, ProgTexts.CopyingErrorCaption, kMbIconError);
  const bool opened = OpenDataFolder(store, showBox);
  if (!missing.empty()) showBox(missing, ProgTexts.FileDoesNotExist, kMbIconWarning);
  return opened;
}

bool OpenDataFolder(TStore& store, const TShowBox& showBox) {
  try {
    store.Open(/*createIfMissing=*/true, kDataFolderName);
    return true;
  } catch (const std::exception&) {
    showBox(ProgTexts.DataOpeningError, ProgTexts.OpeningErrorCaption, kMbIconError);
    return false;
  }
}

void CloseStoreData(TStore& store) { store.Close(); }

}  // namespace vk
