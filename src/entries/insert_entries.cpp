#include "entries/insert_entries.h"

#include <string>
#include <utility>

#include "model/control_names.h"
#include "model/form_values.h"
#include "model/text_helpers.h"
#include "platform/code_page.h"

namespace itemsmith {

void StepItemId(ControlAccess& form) {
  const double id = TextToInt(form.GetText(controls::kItemId));
  const double step = TextToInt(form.GetText(controls::kIdStep));
  form.SetText(controls::kItemId, NumberToText(id + step));
}

void InsertEntries(ControlAccess& form, EntryWriter& writer) {
  if (form.GetChecked(controls::kAutoIncrement)) StepItemId(form);
  FormValues values = ReadFormValues(form);
  // The server refuses an item without an identifier and the client's table breaks
  // on "[] = {", so such an insert writes nothing at all.
  if (TrimBlanks(values.itemId).empty()) {
    static const std::string kEmptyId = Utf8ToCodePage("道具ID为空，未写入任何内容");
    form.PostNotice(kEmptyId);
    return;
  }
  writer.Submit(std::move(values));
}

}  // namespace itemsmith
