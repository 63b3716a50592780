#pragma once

// Records what the desktop is asked to open, in place of starting programs
// (QDesktopServices::setUrlHandler calls the slot by name).

#include <QList>
#include <QObject>
#include <QUrl>

namespace itemsmith {

class UrlRecorder : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> opened;

 public Q_SLOTS:
  void Open(const QUrl& url) { opened.append(url); }
};

}  // namespace itemsmith
