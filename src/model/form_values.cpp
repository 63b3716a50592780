#include "model/form_values.h"

#include "model/catalogs.h"
#include "model/control_names.h"
#include "model/memory_form.h"

namespace itemsmith {
namespace {

Selection ReadSelection(ControlAccess& form, std::string_view control) {
  Selection selection;
  selection.index = form.ListGetSelection(control);
  selection.text = form.ListItemText(control, selection.index);
  return selection;
}

std::vector<bool> ReadCheckList(ControlAccess& form, std::string_view control) {
  const int count = form.CheckListCount(control);
  std::vector<bool> checked;
  checked.reserve(static_cast<size_t>(count > 0 ? count : 0));
  for (int position = 0; position < count; ++position) {
    checked.push_back(form.CheckListIsChecked(control, position));
  }
  return checked;
}

}  // namespace

FormValues ReadFormValues(ControlAccess& form) {
  namespace c = controls;
  FormValues values;
  values.serverFilePath = form.GetText(c::kServerFilePath);
  values.clientFilePath = form.GetText(c::kClientFilePath);
  values.itemId = form.GetText(c::kItemId);
  values.modelName = form.GetText(c::kModelName);
  values.view = form.GetText(c::kView);
  values.weight = form.GetText(c::kWeight);
  values.mainType = ReadSelection(form, c::kMainType);
  values.subType = ReadSelection(form, c::kSubType);
  values.location = ReadSelection(form, c::kLocation);
  values.weaponLevel = form.GetText(c::kWeaponLevel);
  values.armorLevel = form.GetText(c::kArmorLevel);
  values.buyPrice = form.GetText(c::kBuyPrice);
  values.sellPrice = form.GetText(c::kSellPrice);
  values.equipLevelMin = form.GetText(c::kEquipLevelMin);
  values.equipLevelMax = form.GetText(c::kEquipLevelMax);
  values.slots = form.GetText(c::kSlots);
  values.attackRange = form.GetText(c::kAttackRange);
  values.useDelay = form.GetText(c::kUseDelay);
  values.itemName = form.GetText(c::kItemName);
  values.gender = form.ListGetSelection(c::kGender);
  values.refineable = form.GetChecked(c::kRefineable);
  values.flags = ReadCheckList(form, c::kFlags);
  values.trade = ReadCheckList(form, c::kTrade);
  values.jobs = ReadCheckList(form, c::kJobs);
  values.script = form.GetText(c::kScript);
  values.description = form.GetText(c::kDescription);
  values.autoIncrement = form.GetChecked(c::kAutoIncrement);
  values.idStep = form.GetText(c::kIdStep);
  values.alwaysOnTop = form.GetChecked(c::kAlwaysOnTop);
  values.sampleLine = form.GetText(c::kSampleLine);
  values.samplePattern = form.GetText(c::kSamplePattern);
  return values;
}

FormValues DefaultFormValues() {
  // The laid-out form with the lists as start-up leaves them, read back the same way the
  // window is read, so the two can never drift apart.
  MemoryForm form;
  form.ListReplaceItems(controls::kMainType, MainTypeCatalog());
  form.ListReplaceItems(controls::kSubType, SubtypeCatalogFor(0));
  form.ListReplaceItems(controls::kLocation, LocationCatalogFor(0));
  return ReadFormValues(form);
}

}  // namespace itemsmith
