#include "ui/startup.h"

#include <string>

#include "fileutil/file_helpers.h"
#include "model/control_names.h"

namespace itemsmith {
namespace {

// Fills an empty path box with the default path and creates that file when missing.
// A path already in the box is left alone and never created.
void PrepareDefaultFile(ControlAccess& form, std::string_view box, std::string_view folder,
                        std::string_view fileName) {
  if (!form.GetText(box).empty()) return;
  std::string path = std::string(folder) + "/" + std::string(fileName);
  form.SetText(box, path);
  if (FileExists(path)) return;
  const int result = EnsureFile(path, 0);
  if (result != 1) form.PostNotice(path + ": " + ErrorText(result));
}

}  // namespace

void FillList(ControlAccess& form, std::string_view control, const Catalog& items) {
  form.ListReplaceItems(control, items);
}

void FillSubtypes(ControlAccess& form) {
  FillList(form, controls::kSubType, SubtypeCatalogFor(form.ListGetSelection(controls::kMainType)));
}

void FillLocations(ControlAccess& form) {
  FillList(form, controls::kLocation,
           LocationCatalogFor(form.ListGetSelection(controls::kMainType)));
}

void InitializeForm(ControlAccess& form, std::string_view programFolder) {
  form.SetCurrentPage(controls::kTabs, 0);
  PrepareDefaultFile(form, controls::kClientFilePath, programFolder, "itemInfo_Sak.lub");
  PrepareDefaultFile(form, controls::kServerFilePath, programFolder, "item_db.yml");
  FillList(form, controls::kMainType, MainTypeCatalog());
  FillSubtypes(form);
  FillLocations(form);
}

void OnMainTypeSelected(ControlAccess& form) {
  FillSubtypes(form);
  FillLocations(form);
}

void ApplyAlwaysOnTop(ControlAccess& form) {
  form.SetAlwaysOnTop(form.GetChecked(controls::kAlwaysOnTop));
}

}  // namespace itemsmith
