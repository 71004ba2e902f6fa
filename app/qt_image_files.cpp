#include "app/qt_image_files.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

#include "platform/picture_files.h"
#include "storage/convert_ini.h"

namespace tintara {

namespace {

// The suffix a save filter stands for, added when the user typed none.
QString SuffixOfFilter(const QString& filter) {
  int star = filter.indexOf(QStringLiteral("*."));
  if (star < 0) return {};
  int end = filter.indexOf(QRegularExpression(QStringLiteral("[ )]")), star);
  return filter.mid(star + 2, end - star - 2);
}

}  // namespace

std::optional<std::string> QtImageFiles::ChoosePictureToOpen() {
  QString start = QString::fromStdString(OpenDialogFolder(convertIni_));
  QString path = QFileDialog::getOpenFileName(parent_, QStringLiteral("Open picture"), start,
                                              ReadableFormatsFilter());
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

ImageRef QtImageFiles::LoadNamed(const std::string& path, std::string* error) {
  PictureLoad load = LoadPictureFile(QString::fromStdString(path), budget_);
  if (error != nullptr) *error = load.error;
  return load.image;
}

std::optional<std::string> QtImageFiles::SaveWithDialog(const ImageBuffer& image) {
  QString start = QString::fromStdString(SaveDialogFolder(convertIni_));
  QStringList filters = WritableFormatsFilters();
  QString chosenFilter = filters.first();
  QString path = QFileDialog::getSaveFileName(parent_, QStringLiteral("Save picture"), start,
                                              filters.join(QStringLiteral(";;")), &chosenFilter);
  if (path.isEmpty()) return std::nullopt;
  if (QFileInfo(path).suffix().isEmpty()) path += '.' + SuffixOfFilter(chosenFilter);
  std::string error = SavePictureFile(image, path);
  if (!error.empty()) {
    host_.Message(error, MessageIcon::kError);
    return std::nullopt;
  }
  return path.toStdString();
}

}  // namespace tintara
