#include "Source/InOut.h"

#include <exception>

#include "Core/AsciiCase.h"
#include "Core/SysUtils.h"
#include "Gui/PrinterError.h"
#include "Tools/Service/TextConst.h"
#include "vkNames/MessageBoxCall.h"
#include "vkNames/MessageBoxRules.h"

namespace vk {

namespace {

constexpr char kUnit[] = "Source\\InOut";
constexpr char kCategory[] = "Report";
constexpr char kOkCaption[] = "OK";

// Shows what ended a report in the program's message box, instead of passing
// it on. What is not an exception of ours or the library's passes on.
void ShowReportFailure(const std::exception_ptr& failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const std::exception& e) {
    std::string text = e.what();
    // The printer's own text for a missing default printer gives way to the
    // current language's.
    if (SameTextAscii(text, gui::kNoDefaultPrinterText)) text = ProgTexts.NoDefaultPrinter;
    ProgramMessageBox(text, ProgTexts.PrintCaption, kMbIconInformation, kOkCaption, ProgTexts.ClosePrintMessageHint);
  }
}

// Where a table stands; nothing for a closed table.
bool IsOpen(const TTable& table) { return table.State() != tsClosed; }

}  // namespace

TInOutManager::TInOutManager(gui::TActionList& actionList, gui::TMenuItem& exportMenu, gui::TMenuItem& importMenu,
                             gui::TMenuItem& reportMenu, std::vector<TInOut*> objects, TBeforeRun beforeRun,
                             TAfterRun afterRun, TStore& store)
    : store_(store),
      exportMenu_(exportMenu),
      importMenu_(importMenu),
      objects_(std::move(objects)),
      beforeRun_(std::move(beforeRun)),
      afterRun_(std::move(afterRun)) {
  for (size_t i = 0; i < objects_.size(); ++i) {
    TInOut* object = objects_[i];
    auto action = std::make_unique<gui::TAction>(&actionList);
    action->SetCategory(kCategory);
    action->SetName("ActInOut" + std::to_string(i));
    action->SetCaption(object->GetCaption());
    action->SetHint(object->GetHint());
    action->OnExecute = [this](gui::TAction& sender) { Run(sender); };
    action->SetTag(static_cast<std::intptr_t>(i));
    auto item = std::make_unique<gui::TMenuItem>();
    item->SetName("MenuInOut" + std::to_string(i));
    item->SetAction(action.get());
    // A report is an export too, so it is asked first.
    if (dynamic_cast<TReport*>(object)) {
      reportMenu.Add(item.get());
    } else if (dynamic_cast<TExport*>(object)) {
      exportMenu_.Add(item.get());
    } else if (dynamic_cast<TImport*>(object)) {
      importMenu_.Add(item.get());
    }
    actions_.push_back(std::move(action));
    items_.push_back(std::move(item));
  }
  exportMenu_.SetEnabled(exportMenu_.Count() > 0);
  importMenu_.SetEnabled(importMenu_.Count() > 0);
}

TInOutManager::~TInOutManager() {
  // The items first: they let go of the actions.
  items_.clear();
  actions_.clear();
}

void TInOutManager::UpdateTexts() {
  for (size_t i = 0; i < objects_.size(); ++i) {
    actions_[i]->SetCaption(objects_[i]->GetCaption());
    actions_[i]->SetHint(objects_[i]->GetHint());
  }
}

void TInOutManager::EnableAll() { SetAll(true); }

void TInOutManager::DisableAll() { SetAll(false); }

void TInOutManager::SetAll(bool enabled) {
  for (auto& action : actions_) action->SetEnabled(enabled);
  exportMenu_.SetEnabled(enabled);
  importMenu_.SetEnabled(enabled);
}

void TInOutManager::Run(gui::TAction& sender) {
  const std::intptr_t index = sender.Tag();
  if (index < 0 || index >= static_cast<std::intptr_t>(objects_.size())) {
    throw EAssertionFailed("No import or export object for the command", kUnit);
  }
  TInOut* object = objects_[static_cast<size_t>(index)];
  const Positions positions = Remember();
  bool done = false;
  // Whatever the run does, the tables go back and the window leaves its busy
  // mode exactly once; the first failure is the one reported.
  std::exception_ptr failure;
  try {
    if (beforeRun_) beforeRun_();
    object->Execute(done);
  } catch (...) {
    failure = std::current_exception();
  }
  try {
    Restore(positions, done);
  } catch (...) {
    if (!failure) failure = std::current_exception();
  }
  try {
    if (afterRun_) afterRun_(done);
  } catch (...) {
    if (!failure) failure = std::current_exception();
  }
  if (!failure) return;
  if (!dynamic_cast<TReport*>(object)) std::rethrow_exception(failure);
  ShowReportFailure(failure);
}

TInOutManager::Positions TInOutManager::Remember() const {
  Positions p;
  const TTableStore& goods = store_.Goods();
  const TTableMoves& moves = store_.Moves();
  if (IsOpen(goods)) {
    p.GoodsOffset = goods.CurrentFileOffset();
    p.GoodsRow = goods.RecNo();
  }
  if (IsOpen(moves)) {
    p.MovesOffset = moves.CurrentFileOffset();
    p.MovesRow = moves.RecNo();
  }
  return p;
}

void TInOutManager::Restore(const Positions& p, bool done) {
  TTableStore& goods = store_.Goods();
  TTableMoves& moves = store_.Moves();
  if (!done) {
    if (IsOpen(goods)) goods.SetRecNo(p.GoodsRow);
    if (IsOpen(moves)) moves.SetRecNo(p.MovesRow);
    return;
  }
  // Rows may have come before the remembered records: they are found again
  // by where they lie in their files.
  if (p.GoodsOffset != 0 && p.MovesOffset != 0) {
    if (IsOpen(goods)) goods.GotoFileOffset(p.GoodsOffset);
    if (IsOpen(moves)) moves.GotoFileOffset(p.MovesOffset);
    return;
  }
  if (IsOpen(goods)) goods.SetRecNo(0);
  if (IsOpen(moves)) moves.SetRecNo(0);
}

void ExportStoreRecords(TExport& exporter, TStore& store) {
  TTableStore& g = store.Goods();
  for (g.First(); !g.Eof(); g.Next()) {
    exporter.FormatLine(g.Code.GetAsString(), g.Name.GetAsString(), g.Cost.GetAsString(), g.LastDate.GetAsString(),
                        g.Weight.GetAsString(), g.PCount.GetAsString(), g.Sum.GetAsString());
  }
}

bool AppendImportedGoods(const std::string& code, const std::string& name, const std::string& price,
                         const std::string& quantity, const std::string& packs, const std::string& note,
                         TStore& store) {
  if (!store.CanAddGoods(price, quantity, packs)) return false;
  store.AddGoods(code, name, price, quantity, packs, note);
  return true;
}

void SaveImportSafetyCopy(TStore& store) {
  // Made only where the user keeps one: SaveTo refuses a missing folder.
  store.SaveTo(store.SafetyFolder());
}

void GetStoreTotals(std::string& count, std::string& weight, std::string& sum, std::string& goods, TStore& store) {
  count.clear();
  weight.clear();
  sum.clear();
  goods.clear();
  try {
    store.GetTotals(count, weight, sum, goods);
  } catch (const EIntOverflow&) {
    count.clear();
    weight.clear();
    sum.clear();
    goods.clear();
    ProgramMessageBox(ProgTexts.TotalTooHigh, ProgTexts.SumCalculationCaption, kMbIconError, kOkCaption,
                      ProgTexts.CloseMessageHint);
  }
}

int32_t GetGoodsCount(TStore& store) { return store.Goods().RecordCount(); }

TPrintManager& GetPrintManager() { return PrintManager(); }

}  // namespace vk
