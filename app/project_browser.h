// "Projects Browser": the recent projects whose files exist, with a preview
// of the selected one read on a worker thread, so the list stays usable
// while a large project is being read.
#pragma once

#include <QDialog>
#include <QImage>
#include <atomic>
#include <memory>
#include <functional>
#include <string>
#include <vector>

#include "storage/project_list.h"
#include "view/project_thumbnail.h"

class QCheckBox;
class QPushButton;
class QTreeWidget;

namespace tintara {

struct ProjectBrowserActions {
  // OK on a row: true when the project was opened.
  std::function<bool(const std::string& path)> openProject;
  // "&Browse...": the ordinary open-project dialog; true when a project was opened.
  std::function<bool()> browse;
  std::function<void()> beep;
  // What a preview of `path` over width × height needs to read the file.
  std::function<ProjectPreviewRequest(const std::string& path, int width, int height)> preview;
};

// The preview area: grey until a thumbnail arrives.
class ProjectPreviewArea : public QWidget {
  Q_OBJECT

 public:
  explicit ProjectPreviewArea(QWidget* parent = nullptr);
  void Show(const NavigatorThumbnail& thumbnail);
  void Clear();
  const NavigatorThumbnail& Thumbnail() const { return thumbnail_; }
  bool HasPicture() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  NavigatorThumbnail thumbnail_;
  QImage image_;
};

class ProjectBrowserDialog : public QDialog {
  Q_OBJECT

 public:
  ProjectBrowserDialog(std::vector<ProjectRow> rows, ProjectBrowserActions actions,
                       QWidget* parent = nullptr);
  ~ProjectBrowserDialog() override;

  QTreeWidget* List() const { return list_; }
  QCheckBox* PreviewBox() const { return showPreview_; }
  QPushButton* BrowseButton() const { return browse_; }
  QPushButton* OkButton() const { return ok_; }
  ProjectPreviewArea* Preview() const { return preview_; }
  // Previews asked for and not yet arrived.
  int PreviewsPending() const { return pending_; }
  // The message of the last preview that could not be read.
  const std::string& PreviewError() const { return previewError_; }

  void accept() override;

 signals:
  void previewArrived();

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;
  std::string SelectedPath() const;
  void SortByPath(int column);
  void RequestPreview();
  void TakePreview(int generation, ProjectPreview preview);
  void FitColumns();

  ProjectBrowserActions actions_;
  QTreeWidget* list_;
  ProjectPreviewArea* preview_;
  QCheckBox* showPreview_;
  QPushButton* browse_;
  QPushButton* ok_;
  Qt::SortOrder order_ = Qt::AscendingOrder;
  int sortedColumn_ = -1;
  int generation_ = 0;
  // The newest preview asked for: a worker skips the reading of older ones.
  std::shared_ptr<std::atomic<int>> latest_ = std::make_shared<std::atomic<int>>(0);
  int pending_ = 0;
  std::string previewError_;
};

}  // namespace tintara
