// Pictures in and out: loading from a file, pasting from the clipboard,
// saving the picture, the converted picture, the pattern, the visible part of
// the view and the colour key as graphic files, and the information dialogs.
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QPainter>
#include <QStatusBar>

#include "app/clipboard_picture.h"
#include "app/main_frame.h"
#include "app/picture_info_dialog.h"
#include "app/qt_image_files.h"
#include "app/tessel20_app.h"
#include "document/picture_info.h"
#include "document/tessel_doc.h"
#include "platform/color_key_picture.h"
#include "platform/image_drawing.h"
#include "platform/picture_files.h"
#include "storage/settings_keys.h"
#include "view/widgets/tessel20_view.h"

namespace tintara {

void CTessel20App::RegisterPictureFileCommands() {
  auto hasPicture = [this] { return doc_->initialPicture != nullptr; };
  auto hasConverted = [this] { return doc_->convertedPicture != nullptr; };
  table_.Add({cmd::kLoadPicture, "Load picture from disk", [this] { LoadPictureCommand(); }, {},
              {}});
  table_.Add({cmd::kPastePicture, "Paste picture frome clipboard",
              [this] { PastePictureCommand(); },
              [this] { return clipboardHoldsPicture_; }, {}});
  table_.Add({cmd::kSavePictureAs, "Save picture as graphic file",
              [this] {
                SaveImageCommand(doc_->pictureEditing ? doc_->workingPicture.get()
                                                      : doc_->initialPicture.get(),
                                 PictureFolder::kImages);
              },
              hasPicture, {}});
  table_.Add({cmd::kSaveConvertedAs, "Save converted picture as graphic file",
              [this] { SaveImageCommand(doc_->convertedPicture.get(), PictureFolder::kConverted); },
              hasConverted, {}});
  table_.Add({cmd::kSavePatternAs, "Save painting pattern as graphic file",
              [this] { SaveImageCommand(doc_->patternImage.get(), PictureFolder::kPatterns); },
              hasConverted, {}});
  table_.Add({cmd::kSaveCurrentView, "Save current view of pattern to graphic file",
              [this] { SaveCurrentViewCommand(); },
              [this] { return doc_->convertedPicture && doc_->viewMode != kViewInitial; }, {}});
  table_.Add({cmd::kSaveColorKey, "Save color key to graphic file",
              [this] { SaveColorKeyCommand(); }, hasConverted, {}});
  table_.Add({cmd::kPictureInformation, "Picture/pattern information",
              [this] { PictureInformationCommand(); }, {}, {}});
  // The paste button follows the clipboard. Asking the clipboard may mean a
  // round trip to another program, so it is asked only when it changes.
  auto clipboardChanged = [this] {
    clipboardHoldsPicture_ = ClipboardHoldsPicture(QGuiApplication::clipboard()->mimeData());
    AfterCommand();
  };
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, clipboardChanged);
  clipboardChanged();
}

std::string& CTessel20App::FolderSetting(PictureFolder folder) {
  switch (folder) {
    case PictureFolder::kConverted: return env_.app.convertedFolder;
    case PictureFolder::kPatterns: return env_.app.patternsFolder;
    case PictureFolder::kImages: break;
  }
  return env_.app.imagesFolder;
}

bool CTessel20App::LoadPictureCommand() {
  PrepareOpenDialog(*convertIni_, env_.app.imagesFolder);
  std::optional<std::string> path = imageFiles_->ChoosePictureToOpen();
  if (!path) return false;
  env_.app.imagesFolder = FolderOfFile(*path);
  return LoadPictureFile(*path);
}

bool CTessel20App::LoadPictureFile(const std::string& path) {
  std::string error;
  ImageRef picture = DecodePicture(path, &error);
  if (!picture) {
    host_.Message(error, MessageIcon::kError);
    return false;
  }
  return doc_->ReplaceWithPicture(std::move(picture), kOriginFile, path, false);
}

ImageRef CTessel20App::DecodePicture(const std::string& path, std::string* error) {
  // A large photo takes seconds to decode: the window stays drawn and says so.
  WaitCursor wait(host_);
  QStatusBar* status = frame_->statusBar();
  status->showMessage(
      QStringLiteral("Loading %1...").arg(QFileInfo(QString::fromStdString(path)).fileName()));
  ImageRef picture;
  RunLong([&] { picture = imageFiles_->LoadNamed(path, error); });
  status->clearMessage();
  return picture;
}

void CTessel20App::PastePictureCommand() {
  ImageRef picture;
  {
    WaitCursor wait(host_);
    picture = PictureFromClipboard(QGuiApplication::clipboard()->mimeData());
  }
  if (picture) doc_->ReplaceWithPicture(std::move(picture), kOriginClipboard, "", true);
}

void CTessel20App::SaveImageCommand(const ImageBuffer* image, PictureFolder folder) {
  if (image == nullptr) return;
  PrepareSaveDialog(*convertIni_, FolderSetting(folder));
  std::optional<std::string> path = imageFiles_->SaveWithDialog(*image);
  if (path) FolderSetting(folder) = FolderOfFile(*path);
}

void CTessel20App::SaveCurrentViewCommand() {
  CTessel20View* view = frame_->View();
  const ImageBuffer* shown = doc_->ShownImage();
  if (shown == nullptr) return;
  // Only the picture as shown: the part of it inside the window, at the zoom.
  QRect window = view->viewport()->rect();
  QRect visible = PictureWindowRect({shown->Width(), shown->Height()}, view->Zoom(),
                                    view->State().ScrollPosition())
                      .intersected(window);
  if (visible.isEmpty()) return;
  QImage shot(window.size(), QImage::Format_RGB32);
  ImageRef picture;
  if (!shot.isNull()) {
    QPainter painter(&shot);
    view->Render(painter, window);
    painter.end();
    picture = QImageToImage(shot.copy(visible));
  }
  if (!picture) {
    host_.Message("Out of memory.", MessageIcon::kError);
    return;
  }
  SaveImageCommand(picture.get(), PictureFolder::kPatterns);
}

void CTessel20App::SaveColorKeyCommand() {
  if (!doc_->convertedPicture || !doc_->indexImage) return;
  QImage key;
  {
    WaitCursor wait(host_);
    key = RenderColorKey(doc_->params.workingPalette, *doc_->indexImage);
  }
  ImageRef picture = key.isNull() ? nullptr : QImageToImage(key);
  if (!picture) {
    host_.Message("Out of memory.", MessageIcon::kError);
    return;
  }
  SaveImageCommand(picture.get(), PictureFolder::kPatterns);
}

void CTessel20App::PictureInformationCommand() {
  switch (ChooseInfoKind(*doc_)) {
    case InfoKind::kAbout: ShowAbout(); break;
    case InfoKind::kPicture: {
      PictureInfoDialog dialog(DescribePicture(*doc_, env_.app.prefUnits), frame_.get());
      dialog.exec();
      break;
    }
    case InfoKind::kPattern: {
      PatternInfoDialog dialog(DescribePattern(*doc_), frame_.get());
      dialog.exec();
      break;
    }
  }
}

}  // namespace tintara
