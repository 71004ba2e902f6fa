#include "editing/widgets/picture_panel_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "editing/widgets/panel_preview.h"

namespace tintara {

namespace {

struct ActionButton {
  const char* caption;
  PanelAction action;
};

constexpr ActionButton kAdjustButtons[] = {
    {"Rotate &Left 90", PanelAction::kRotateLeft},
    {"Rotate &Right 90", PanelAction::kRotateRight},
    {"Rotate By D&egree...", PanelAction::kRotateByDegree},
    {"Flip &Horizontal", PanelAction::kFlipHorizontal},
    {"Flip &Vertical", PanelAction::kFlipVertical},
    {"Flip &Both", PanelAction::kFlipBoth},
};

constexpr ActionButton kFilterButtons[] = {
    {"&Lighter", PanelAction::kLighter},
    {"D&arker", PanelAction::kDarker},
    {"&More Contrast", PanelAction::kMoreContrast},
    {"L&ess Contrast", PanelAction::kLessContrast},
    {"Sha&rpen", PanelAction::kSharpen},
    {"Sm&ooth", PanelAction::kSmooth},
    {"Smart &Tune...", PanelAction::kSmartTune},
    {"&Posterize...", PanelAction::kPosterize},
    {"Reduce &Colors...", PanelAction::kReduceColors},
};

}  // namespace

PicturePanelDialog::PicturePanelDialog(PicturePanel& panel, bool filters, QWidget* parent)
    : QDialog(parent), panel_(panel) {
  setWindowTitle(filters ? QStringLiteral("Filter Image") : QStringLiteral("Adjust Image"));
  preview_ = new PanelPreview(this);
  auto* columns = new QHBoxLayout(this);
  columns->addWidget(preview_, 1);
  column_ = new QVBoxLayout;
  columns->addLayout(column_);
  if (filters) {
    for (const ActionButton& button : kFilterButtons) AddAction(button.caption, button.action);
  } else {
    for (const ActionButton& button : kAdjustButtons) AddAction(button.caption, button.action);
    QPushButton* crop = AddButton(QStringLiteral("&Crop"));
    crop->setCheckable(true);
    connect(crop, &QPushButton::toggled, preview_, &PanelPreview::SetCropping);
    connect(preview_, &PanelPreview::cropDragged, this,
            [this, crop](const LtrbRect& dragged, int previewWidth, int previewHeight) {
              crop->setChecked(false);
              const ImageBuffer& picture = *panel_.Picture();
              if (panel_.Crop(PreviewRectToPicture(dragged, previewWidth, previewHeight,
                                                   picture.Width(), picture.Height()))) {
                Show();
              }
            });
  }
  column_->addSpacing(12);
  connect(AddButton(QStringLiteral("&Undo")), &QPushButton::clicked, this, [this] {
    panel_.Undo();
    Show();
  });
  connect(AddButton(QStringLiteral("Re&do")), &QPushButton::clicked, this, [this] {
    panel_.Redo();
    Show();
  });
  connect(AddButton(QStringLiteral("Re&set")), &QPushButton::clicked, this, [this] {
    panel_.Reset();
    Show();
  });
  column_->addStretch(1);
  connect(AddButton(QStringLiteral("&Next >")), &QPushButton::clicked, this, [this] {
    panel_.HandOver();
    accept();
  });
  connect(AddButton(QStringLiteral("Close")), &QPushButton::clicked, this,
          &PicturePanelDialog::reject);
  Show();
}

QPushButton* PicturePanelDialog::AddButton(const QString& caption) {
  auto* button = new QPushButton(caption, this);
  button->setAutoDefault(false);
  column_->addWidget(button);
  buttons_[caption] = button;
  return button;
}

void PicturePanelDialog::AddAction(const QString& caption, PanelAction action) {
  connect(AddButton(caption), &QPushButton::clicked, this, [this, action] {
    // The preview is the window that shows a dialog's tables while it is open.
    auto preview = [this](const ToneTable* red, const ToneTable* green, const ToneTable* blue) {
      preview_->SetTables(red, green, blue);
    };
    if (panel_.Run(action, preview)) Show();
  });
}

QPushButton* PicturePanelDialog::Button(const QString& caption) const {
  auto found = buttons_.find(caption);
  return found != buttons_.end() ? found->second : nullptr;
}

void PicturePanelDialog::Show() {
  preview_->SetPicture(panel_.Picture());
  const bool changed = panel_.CanUndo();
  Button(QStringLiteral("&Undo"))->setEnabled(changed);
  Button(QStringLiteral("Re&do"))->setEnabled(panel_.CanRedo());
  Button(QStringLiteral("Re&set"))->setEnabled(changed || panel_.CanRedo());
}

void PicturePanelDialog::reject() {
  if (panel_.Close()) QDialog::reject();
}

}  // namespace tintara
