#pragma once

// The client's Lua item-information record for one item.

#include <string>

#include "model/form_values.h"

namespace itemsmith {

struct JobTexts {
  std::string serverBlock;  // "\r\n    Jobs:" and one line per job, or empty
  std::string labelList;    // description labels joined by "|", or empty
};

JobTexts BuildJobs(const FormValues& values);
std::string BuildClientDescription(const FormValues& values);
std::string BuildClientEntry(const FormValues& values);

}  // namespace itemsmith
