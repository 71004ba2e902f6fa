// "Adjust Image" and "Filter Image": the panel's preview beside its buttons.
#pragma once

#include <QDialog>
#include <map>

#include "editing/picture_panel.h"

class QPushButton;
class QVBoxLayout;

namespace tintara {

class PanelPreview;

class PicturePanelDialog : public QDialog {
  Q_OBJECT

 public:
  PicturePanelDialog(PicturePanel& panel, bool filters, QWidget* parent = nullptr);

  PanelPreview* Preview() const { return preview_; }
  // A button by its caption as shown ("&Undo", "Rotate &Left 90", ...), or null.
  QPushButton* Button(const QString& caption) const;

  // "Close" and the window's own close both ask first.
  void reject() override;

 private:
  QPushButton* AddButton(const QString& caption);
  void AddAction(const QString& caption, PanelAction action);
  void Show();

  PicturePanel& panel_;
  PanelPreview* preview_;
  std::map<QString, QPushButton*> buttons_;
  QVBoxLayout* column_;
};

}  // namespace tintara
