#include "ui/dialog_folder.h"

#include <QDir>
#include <QFileInfo>

#include "ui/program_files.h"

namespace quarne {

QString DialogOrdner::Start() const {
  if (!letzter_.isEmpty() && QDir(letzter_).exists()) return letzter_;
  return dateien_.DialogOrdner();
}

void DialogOrdner::Merke(const QString& datei) {
  letzter_ = QFileInfo(datei).absolutePath();
}

}  // namespace quarne
