#pragma once
// Exports, imports and printed reports are objects of one small family; the
// manager makes each a command of the main window (an action and a menu item
// in the export, import or report menu) and brackets every run: the window
// is told that a long operation begins, the object runs, both tables go back
// to the records they were on, and the window is told that the operation
// ended and whether the data may have changed. The bridges below are what
// the objects use instead of the store. Portable.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Gui/ActnList.h"
#include "Gui/MenuItems.h"
#include "Source/Print.h"
#include "Source/StoreData.h"

namespace vk {

class TInOut {
 public:
  virtual ~TInOut() = default;
  // The command's caption and hint in the current language.
  virtual std::string GetCaption() = 0;
  virtual std::string GetHint() = 0;
  // Runs the command. done: true when the run may have changed the stock
  // data; set before raising when it changed part of them. Errors the user
  // should read are reported by the object itself.
  virtual void Execute(bool& done) = 0;
};

class TImport : public TInOut {};

class TExport : public TInOut {
 public:
  // One product's display texts, as the walk over the goods hands them.
  virtual void FormatLine(const std::string& code, const std::string& name, const std::string& price,
                          const std::string& date, const std::string& quantity, const std::string& packs,
                          const std::string& value) = 0;
};

// A printed report; its errors are shown by the manager, never passed on.
class TReport : public TExport {};

class TInOutManager {
 public:
  using TBeforeRun = std::function<void()>;
  using TAfterRun = std::function<void(bool done)>;

  // One action ("ActInOut" + i, category "Report", Tag i) in the list and one
  // menu item ("MenuInOut" + i) per object, appended to the report menu for
  // a report, else to the export menu for an export, else to the import
  // menu. The export and import menus are enabled only when they hold an
  // item. The objects are not owned and must outlive the manager.
  TInOutManager(gui::TActionList& actionList, gui::TMenuItem& exportMenu, gui::TMenuItem& importMenu,
                gui::TMenuItem& reportMenu, std::vector<TInOut*> objects, TBeforeRun beforeRun, TAfterRun afterRun,
                TStore& store = Store());
  // Frees the actions and the items (they leave their list and menus).
  ~TInOutManager();
  TInOutManager(const TInOutManager&) = delete;
  TInOutManager& operator=(const TInOutManager&) = delete;

  // Every action's caption and hint from its object, after a change of language.
  void UpdateTexts();
  // Every action, and the export and import menus (not the report menu).
  void EnableAll();
  void DisableAll();

  int Count() const { return static_cast<int>(objects_.size()); }
  gui::TAction& Action(int index) { return *actions_.at(static_cast<size_t>(index)); }
  gui::TMenuItem& Item(int index) { return *items_.at(static_cast<size_t>(index)); }

 private:
  // The command of every action; the sender's Tag names the object.
  void Run(gui::TAction& sender);
  void SetAll(bool enabled);

  // Where the two tables stood before a run.
  struct Positions {
    int32_t GoodsOffset = 0, MovesOffset = 0;
    int32_t GoodsRow = 0, MovesRow = 0;
  };
  Positions Remember() const;
  // done: back to the remembered records by file offset, or to the first
  // rows when a table was empty; otherwise back to the remembered rows.
  void Restore(const Positions& positions, bool done);

  TStore& store_;
  gui::TMenuItem& exportMenu_;
  gui::TMenuItem& importMenu_;
  std::vector<TInOut*> objects_;
  std::vector<std::unique_ptr<gui::TAction>> actions_;
  std::vector<std::unique_ptr<gui::TMenuItem>> items_;
  TBeforeRun beforeRun_;
  TAfterRun afterRun_;
};

// Bridges for the objects. Each works on the program's store unless given another.

// Walks the goods in the goods table's current order (the user's sort),
// handing each product's display texts to the exporter: code, name, price,
// last date, quantity, packs, value. The position is not restored here.
void ExportStoreRecords(TExport& exporter, TStore& store = Store());
// Adds one imported product with its first delivery when the store's
// validators accept its numbers; false (and nothing written) otherwise. The
// code and name must be ones the store can hold (TStore::CanStoreText).
bool AppendImportedGoods(const std::string& code, const std::string& name, const std::string& price,
                         const std::string& quantity, const std::string& packs, const std::string& note,
                         TStore& store = Store());
// The safety copy before an import: made only when Hist\0000-00-00 exists.
void SaveImportSafetyCopy(TStore& store = Store());
// The totals' display texts: packs, quantity, value and number of products.
// When a total does not fit, the program's message box says so and the texts
// are left empty; other failures pass on.
void GetStoreTotals(std::string& count, std::string& weight, std::string& sum, std::string& goods,
                    TStore& store = Store());
// The number of products.
int32_t GetGoodsCount(TStore& store = Store());
// The program's print manager, which the reports print through.
TPrintManager& GetPrintManager();

}  // namespace vk
