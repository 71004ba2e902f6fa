// The program's own message dialog of the graphical interface: the same texts,
// button sets and result codes as the standard message box.
#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "ports/ui_host.h"

class QPushButton;

namespace tintara {

struct MessageButtonChoice {
  int result;
  QString text;
};

// The buttons of a set, in order, with their result codes.
std::vector<MessageButtonChoice> ButtonsOf(MessageButtons buttons);
// What Escape or closing the window answers: Cancel, else No, else OK.
int EscapeResultOf(MessageButtons buttons);
// The caption used when a message names none.
QString MessageCaption(const MessageRequest& request);

class StyledMessageDialog : public QDialog {
  Q_OBJECT

 public:
  StyledMessageDialog(const MessageRequest& request, QWidget* parent = nullptr);

  // The button answering `result`, or null.
  QPushButton* Button(int result) const;
  // exec() returns the result code; so does this afterwards.
  int Result() const { return result(); }

 public slots:
  void reject() override;

 private:
  MessageButtons buttons_;
  std::vector<std::pair<int, QPushButton*>> buttonByResult_;
};

}  // namespace tintara
