#include "editing/widgets/picture_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "editing/integer_field.h"

namespace tintara {

namespace {

constexpr int kMaxAngle = 360;

QDialogButtonBox* OkCancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

QToolButton* Arrow(Qt::ArrowType type, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setArrowType(type);
  button->setAutoRepeat(true);
  return button;
}

}  // namespace

RotatePictureDialog::RotatePictureDialog(RefuseMessage refuse, QWidget* parent)
    : QDialog(parent), refuse_(std::move(refuse)) {
  setWindowTitle(QStringLiteral("Rotate picture"));
  angle_ = new QLineEdit(QStringLiteral("0"), this);
  angle_->setObjectName(QStringLiteral("angle"));
  auto* angleRow = new QHBoxLayout;
  angleRow->addWidget(angle_);
  QToolButton* up = Arrow(Qt::UpArrow, this);
  QToolButton* down = Arrow(Qt::DownArrow, this);
  angleRow->addWidget(up);
  angleRow->addWidget(down);
  connect(up, &QToolButton::clicked, this, [this] { Step(1); });
  connect(down, &QToolButton::clicked, this, [this] { Step(-1); });
  right_ = new QRadioButton(QStringLiteral("&Right"), this);
  left_ = new QRadioButton(QStringLiteral("&Left"), this);
  right_->setChecked(true);
  auto* form = new QFormLayout(this);
  form->addRow(QStringLiteral("Angle (degrees): "), angleRow);
  auto* directions = new QHBoxLayout;
  directions->addWidget(right_);
  directions->addWidget(left_);
  form->addRow(directions);
  form->addRow(OkCancel(this));
}

void RotatePictureDialog::Step(int by) {
  // The arrows move within the range even from a value typed outside it.
  long long value = ParseIntegerField(angle_->text().toStdString()).value_or(0) + by;
  angle_->setText(QString::number(std::clamp<long long>(value, 0, kMaxAngle)));
}

RotateAnswer RotatePictureDialog::Answer() const {
  int angle = int(ParseIntegerField(angle_->text().toStdString()).value_or(0));
  return {angle, left_->isChecked()};
}

void RotatePictureDialog::accept() {
  if (auto why = IntegerFieldError(angle_->text().toStdString(), 0, kMaxAngle)) {
    if (refuse_) refuse_(*why);
    angle_->setFocus();
    angle_->selectAll();
    return;
  }
  QDialog::accept();
}

ResizeDialog::ResizeDialog(ResizeForm& form, RefuseMessage refuse, QWidget* parent)
    : QDialog(parent), form_(form), refuse_(std::move(refuse)) {
  setWindowTitle(QStringLiteral("Resize"));
  width_ = new QLineEdit(this);
  width_->setObjectName(QStringLiteral("width"));
  height_ = new QLineEdit(this);
  height_->setObjectName(QStringLiteral("height"));
  aspect_ = new QCheckBox(QStringLiteral("Keep &aspect ratio"), this);
  auto* layout = new QFormLayout(this);
  layout->addRow(QStringLiteral("New &width (pels):"), width_);
  layout->addRow(QStringLiteral("New &height (pels):"), height_);
  layout->addRow(aspect_);
  layout->addRow(OkCancel(this));
  ShowForm();
  // Only what the user types drives the other field, not the follow-up text.
  connect(width_, &QLineEdit::textEdited, this, [this](const QString& text) {
    form_.TypeWidth(text.toStdString());
    ShowForm();
  });
  connect(height_, &QLineEdit::textEdited, this, [this](const QString& text) {
    form_.TypeHeight(text.toStdString());
    ShowForm();
  });
  connect(aspect_, &QCheckBox::toggled, this, [this](bool on) {
    form_.SetKeepAspect(on);
    ShowForm();
  });
}

void ResizeDialog::ShowForm() {
  auto show = [](QLineEdit* field, const std::string& text) {
    QString shown = QString::fromStdString(text);
    if (field->text() != shown) field->setText(shown);
  };
  show(width_, form_.WidthText());
  show(height_, form_.HeightText());
  QSignalBlocker block(aspect_);
  aspect_->setChecked(form_.KeepAspect());
}

void ResizeDialog::accept() {
  ResizeForm::Refusal refusal;
  if (!form_.Accept(&refusal)) {
    if (refuse_) refuse_(refusal.message);
    QLineEdit* field = refusal.widthField ? width_ : height_;
    field->setFocus();
    field->selectAll();
    return;
  }
  QDialog::accept();
}

SmartTuneDialog::SmartTuneDialog(const std::vector<std::string>& methods,
                                 std::function<void(int)> changed, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Smart Tune"));
  methods_ = new QComboBox(this);
  for (const std::string& method : methods) methods_->addItem(QString::fromStdString(method));
  methods_->setCurrentIndex(0);
  auto* form = new QFormLayout(this);
  form->addRow(QStringLiteral("Method:"), methods_);
  form->addRow(OkCancel(this));
  if (changed) {
    connect(methods_, &QComboBox::currentIndexChanged, this,
            [changed](int index) { changed(index); });
  }
}

int SmartTuneDialog::Method() const { return methods_->currentIndex(); }

}  // namespace tintara
