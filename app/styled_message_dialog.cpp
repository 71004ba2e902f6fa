#include "app/styled_message_dialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace tintara {

namespace {

constexpr char kStyle[] = R"(
  QDialog#styledMessage { background: #fbf6ee; border: 2px solid #b0763c; }
  QLabel#messageCaption { background: #b0763c; color: white; font-weight: bold; padding: 6px 10px; }
  QLabel#messageText { color: #3b2a1a; padding: 4px; }
  QPushButton { background: #e9d6bc; border: 1px solid #b0763c; border-radius: 4px;
                padding: 5px 18px; color: #3b2a1a; min-width: 64px; }
  QPushButton:default { border-width: 2px; }
  QPushButton:hover { background: #f3e4cf; }
  QPushButton:pressed { background: #d8bd98; }
)";

QStyle::StandardPixmap PixmapOf(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kInformation: return QStyle::SP_MessageBoxInformation;
    case MessageIcon::kWarning: return QStyle::SP_MessageBoxWarning;
    case MessageIcon::kError: return QStyle::SP_MessageBoxCritical;
    case MessageIcon::kQuestion: return QStyle::SP_MessageBoxQuestion;
    case MessageIcon::kNone: break;
  }
  return QStyle::SP_CustomBase;
}

}  // namespace

std::vector<MessageButtonChoice> ButtonsOf(MessageButtons buttons) {
  const MessageButtonChoice ok{kResultOk, QStringLiteral("OK")};
  const MessageButtonChoice cancel{kResultCancel, QStringLiteral("Cancel")};
  const MessageButtonChoice yes{kResultYes, QStringLiteral("&Yes")};
  const MessageButtonChoice no{kResultNo, QStringLiteral("&No")};
  switch (buttons) {
    case MessageButtons::kOk: return {ok};
    case MessageButtons::kOkCancel: return {ok, cancel};
    case MessageButtons::kYesNo: return {yes, no};
    case MessageButtons::kYesNoCancel: return {yes, no, cancel};
  }
  return {ok};
}

int EscapeResultOf(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::kOk: return kResultOk;
    case MessageButtons::kYesNo: return kResultNo;
    case MessageButtons::kOkCancel:
    case MessageButtons::kYesNoCancel: return kResultCancel;
  }
  return kResultCancel;
}

QString MessageCaption(const MessageRequest& request) {
  return request.caption.empty() ? QStringLiteral("Tintara")
                                 : QString::fromStdString(request.caption);
}

StyledMessageDialog::StyledMessageDialog(const MessageRequest& request, QWidget* parent)
    : QDialog(parent), buttons_(request.buttons) {
  setObjectName(QStringLiteral("styledMessage"));
  setWindowTitle(MessageCaption(request));
  setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
  setStyleSheet(QString::fromLatin1(kStyle));

  auto* caption = new QLabel(MessageCaption(request), this);
  caption->setObjectName(QStringLiteral("messageCaption"));
  auto* text = new QLabel(QString::fromStdString(request.text), this);
  text->setObjectName(QStringLiteral("messageText"));
  text->setWordWrap(true);
  text->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* body = new QHBoxLayout;
  body->setContentsMargins(16, 12, 16, 4);
  QStyle::StandardPixmap pixmap = PixmapOf(request.icon);
  if (pixmap != QStyle::SP_CustomBase) {
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(pixmap).pixmap(32, 32));
    body->addWidget(icon, 0, Qt::AlignTop);
  }
  body->addWidget(text, 1);

  auto* row = new QHBoxLayout;
  row->setContentsMargins(16, 4, 16, 12);
  row->addStretch(1);
  int defaultResult = DefaultResultOf(request);
  for (const MessageButtonChoice& choice : ButtonsOf(request.buttons)) {
    auto* button = new QPushButton(choice.text, this);
    button->setObjectName(QStringLiteral("result%1").arg(choice.result));
    int result = choice.result;
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    if (result == defaultResult) {
      button->setDefault(true);
      button->setFocus();
    }
    buttonByResult_.emplace_back(result, button);
    row->addWidget(button);
  }

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(caption);
  layout->addLayout(body);
  layout->addLayout(row);
  // A strut, not the window's minimum width, which would override the
  // layout's and squeeze a long caption or the buttons.
  layout->addStrut(320);
}

QPushButton* StyledMessageDialog::Button(int result) const {
  for (const auto& [code, button] : buttonByResult_) {
    if (code == result) return button;
  }
  return nullptr;
}

void StyledMessageDialog::reject() { done(EscapeResultOf(buttons_)); }

}  // namespace tintara
