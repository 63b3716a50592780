#include "ui/open_target_files.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "fileutil/file_helpers.h"
#include "model/control_names.h"
#include "platform/code_page.h"

namespace itemsmith {

void OpenTargetFiles(ControlAccess& form) {
  for (std::string_view box : {controls::kClientFilePath, controls::kServerFilePath}) {
    const std::string path = form.GetText(box);
    if (path.empty() || !FileExists(path)) continue;
    const QFileInfo file(QString::fromStdString(CodePageToUtf8(path)));
    QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
  }
}

}  // namespace itemsmith
