#include "extract/sample_extraction.h"

#include <array>
#include <string_view>

#include "extract/regex_object.h"
#include "model/control_names.h"

namespace itemsmith {

void ExtractFromSample(ControlAccess& form) {
  RegexObject regex;
  regex.Create(form.GetText(controls::kSamplePattern), form.GetText(controls::kSampleLine));
  // Groups after the third have no field; the identifier is never set from the sample.
  static constexpr std::array<std::string_view, 3> kTargets = {
      controls::kModelName, controls::kView, controls::kItemName};
  const int groupCount = regex.SubmatchCount();
  for (int group = 1; group <= groupCount && group <= static_cast<int>(kTargets.size()); ++group) {
    form.SetText(kTargets[group - 1], regex.SubmatchText(1, group));
  }
}

}  // namespace itemsmith
