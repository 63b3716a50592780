#pragma once

// Every value of the item form, as byte strings in the tool's code page.

#include <string>
#include <vector>

#include "model/control_access.h"

namespace itemsmith {

// A drop-down list's selection: its position (-1 when none) and that item's text
// (empty when none).
struct Selection {
  int index = -1;
  std::string text;
};

struct FormValues {
  std::string serverFilePath;
  std::string clientFilePath;
  std::string itemId;
  std::string modelName;
  std::string view;
  std::string weight;
  Selection mainType;
  Selection subType;
  Selection location;
  std::string weaponLevel;
  std::string armorLevel;
  std::string buyPrice;
  std::string sellPrice;
  std::string equipLevelMin;
  std::string equipLevelMax;
  std::string slots;
  std::string attackRange;
  std::string useDelay;
  std::string itemName;
  int gender = -1;  // 0 any, 1 male, 2 female, -1 nothing selected
  bool refineable = false;
  std::vector<bool> flags;  // one per flag-list item
  std::vector<bool> trade;  // one per trade-list item
  std::vector<bool> jobs;   // one per job-list item; position 0 = all jobs
  std::string script;       // multi-line, CR LF
  std::string description;  // multi-line, CR LF
  bool autoIncrement = false;
  std::string idStep;
  bool alwaysOnTop = false;
  std::string sampleLine;
  std::string samplePattern;
};

// The form's defaults as laid out, with start-up's lists in place (main type
// "Armor|防具", location "Head_Top|头上", no subtype) and empty file paths.
FormValues DefaultFormValues();

// Reads every value from the form as it is at the moment of the read.
FormValues ReadFormValues(ControlAccess& form);

}  // namespace itemsmith
