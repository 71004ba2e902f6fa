#include "app/project_browser.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QThreadPool>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tintara {

namespace {

constexpr int kPathColumn = 1;
constexpr int kPreviewSide = 180;

// Rows compare by their paths whichever column is sorted.
class ProjectItem : public QTreeWidgetItem {
 public:
  explicit ProjectItem(const ProjectRow& row)
      : QTreeWidgetItem(QStringList{QString::fromStdString(row.name),
                                    QString::fromStdString(row.path),
                                    QString::fromStdString(row.created),
                                    QString::fromStdString(row.modified)}) {}
  bool operator<(const QTreeWidgetItem& other) const override {
    return text(kPathColumn) < other.text(kPathColumn);
  }
};

}  // namespace

ProjectPreviewArea::ProjectPreviewArea(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("projectPreview"));
  setFixedSize(kPreviewSide, kPreviewSide);
}

void ProjectPreviewArea::Show(const NavigatorThumbnail& thumbnail) {
  thumbnail_ = thumbnail;
  image_ = QImage(thumbnail_.rgb.data(), thumbnail_.width, thumbnail_.height,
                  thumbnail_.width * 3, QImage::Format_RGB888);
  update();
}

void ProjectPreviewArea::Clear() { Show(NavigatorThumbnail{}); }

bool ProjectPreviewArea::HasPicture() const {
  return thumbnail_.picture.right > thumbnail_.picture.left;
}

void ProjectPreviewArea::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(kNavigatorGrey, kNavigatorGrey, kNavigatorGrey));
  if (!image_.isNull()) painter.drawImage(0, 0, image_);
}

ProjectBrowserDialog::ProjectBrowserDialog(std::vector<ProjectRow> rows,
                                           ProjectBrowserActions actions, QWidget* parent)
    : QDialog(parent), actions_(std::move(actions)) {
  setWindowTitle(QStringLiteral("Projects Browser"));
  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("projectList"));
  list_->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Project path"),
                          QStringLiteral("Created"), QStringLiteral("Modified")});
  list_->setRootIsDecorated(false);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->header()->setSectionsClickable(true);
  list_->header()->setStretchLastSection(false);
  for (const ProjectRow& row : rows) list_->addTopLevelItem(new ProjectItem(row));
  if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));

  preview_ = new ProjectPreviewArea(this);
  showPreview_ = new QCheckBox(QStringLiteral("Show &Preview"), this);
  showPreview_->setChecked(true);
  browse_ = new QPushButton(QStringLiteral("&Browse..."), this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(browse_, &QPushButton::clicked, this, [this] {
    if (actions_.browse && actions_.browse()) QDialog::accept();
  });
  connect(list_->header(), &QHeaderView::sectionClicked, this, &ProjectBrowserDialog::SortByPath);
  connect(list_, &QTreeWidget::currentItemChanged, this, &ProjectBrowserDialog::RequestPreview);
  connect(showPreview_, &QCheckBox::toggled, this, &ProjectBrowserDialog::RequestPreview);

  auto* side = new QVBoxLayout;
  side->addWidget(preview_);
  side->addWidget(showPreview_);
  side->addStretch();
  side->addWidget(browse_);
  auto* top = new QHBoxLayout;
  top->addWidget(list_, 1);
  top->addLayout(side);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(buttons);
  list_->viewport()->installEventFilter(this);
  resize(820, 380);
  RequestPreview();
}

ProjectBrowserDialog::~ProjectBrowserDialog() = default;

std::string ProjectBrowserDialog::SelectedPath() const {
  QTreeWidgetItem* item = list_->currentItem();
  if (item == nullptr || !item->isSelected()) return {};
  return item->text(kPathColumn).toStdString();
}

void ProjectBrowserDialog::accept() {
  std::string path = SelectedPath();
  if (path.empty()) {
    if (actions_.beep) actions_.beep();
    return;
  }
  // The browser closes either way; a project that cannot be opened is told
  // by the opening itself.
  QDialog::accept();
  if (actions_.openProject) actions_.openProject(path);
}

void ProjectBrowserDialog::SortByPath(int column) {
  // A new column sorts ascending, the same one again the other way.
  order_ = column == sortedColumn_ && order_ == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                   : Qt::AscendingOrder;
  sortedColumn_ = column;
  list_->header()->setSortIndicatorShown(true);
  list_->header()->setSortIndicator(column, order_);
  list_->sortItems(column, order_);
}

void ProjectBrowserDialog::RequestPreview() {
  const int generation = ++generation_;
  latest_->store(generation);
  std::string path = SelectedPath();
  if (!showPreview_->isChecked() || path.empty() || !actions_.preview) {
    preview_->Clear();
    return;
  }
  preview_->Clear();
  ProjectPreviewRequest request = actions_.preview(path, preview_->width(), preview_->height());
  ++pending_;
  QPointer<ProjectBrowserDialog> self(this);
  QThreadPool::globalInstance()->start([self, generation, latest = latest_,
                                        request = std::move(request)] {
    // A selection that moved on while this waited makes its reading useless.
    ProjectPreview preview;
    if (latest->load() == generation) preview = ReadProjectPreview(request);
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [self, generation, preview = std::move(preview)]() mutable {
          if (self) self->TakePreview(generation, std::move(preview));
        },
        Qt::QueuedConnection);
  });
}

void ProjectBrowserDialog::TakePreview(int generation, ProjectPreview preview) {
  --pending_;
  // Only the preview of what is selected now is shown.
  if (generation == generation_) {
    previewError_ = preview.error;
    preview_->Show(preview.thumbnail);
  }
  emit previewArrived();
}

void ProjectBrowserDialog::FitColumns() {
  const int quarter = list_->viewport()->width() / 4;
  for (int column = 0; column < 4; ++column) list_->setColumnWidth(column, quarter);
}

bool ProjectBrowserDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_->viewport() && event->type() == QEvent::Resize) FitColumns();
  return QDialog::eventFilter(watched, event);
}

}  // namespace tintara
