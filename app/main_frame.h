// The single top-level window: the pattern view, the status bar and two
// complete sets of controls of which one shows at a time — the graphical
// interface (task bar, tool panel whose page follows the stage, optional
// menu) and the standard interface (menu and tool bars). Every control shows
// the actions of CommandActions; the frame itself runs no command.
#pragma once

#include <QMainWindow>
#include <map>
#include <string>
#include <functional>
#include <string>
#include <vector>

#include "document/command_table.h"

class QMenu;
class QToolBar;

namespace tintara {

class CommandActions;
enum class Place : uint8_t;
class CTaskBar;
class CToolPanel;
class CFrameStatusBar;
class CTessel20View;
struct AppSettings;

constexpr int kFrameMinimumWidth = 700;
constexpr int kFrameMinimumHeight = 600;
inline constexpr const char kFrameTitle[] = "Tintara 2.0";

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  explicit CMainFrame(const CommandTable& table, QWidget* parent = nullptr);
  ~CMainFrame() override;

  // Builds menus, tool bars and panels from the command table; call once the
  // table holds every command.
  void BuildControls();

  CTessel20View* View() const { return view_; }
  CommandActions& Actions() const { return *actions_; }
  CTaskBar* TaskBar() const { return taskBar_; }
  CToolPanel* ToolPanel() const { return toolPanel_; }
  CFrameStatusBar* Status() const { return status_; }
  QToolBar* StandardBar() const { return standardBar_; }
  QToolBar* PictureBar() const { return pictureBar_; }
  QMenu* ViewChoiceMenu() const { return viewChoiceMenu_; }
  QMenu* ContextMenu() const { return contextMenu_; }
  // The drawing pop-ups: kDrawMenu, kPenSizeMenu, kPenShapeMenu or kFillMenu.
  QMenu* DrawingMenu(Place place) const;
  QMenu* PrintChoiceMenu() const { return printChoiceMenu_; }
  QMenu* PreviewChoiceMenu() const { return previewChoiceMenu_; }

  // Shows the controls of the chosen interface style.
  void ApplyInterface(const AppSettings& settings, bool pictureEditing);
  bool StandardInterface() const { return standard_; }
  // The second brush bar, shown only in the standard interface while the
  // picture is being edited.
  void SetPictureEditing(bool on);

  // Resets the task bar's mark, refills the tool panel with the stage's page.
  void ShowStage(int stage);
  int Stage() const { return stage_; }

  // Enabled and checked state of every control, the recent files and the
  // status panes.
  void UpdateActions();
  void SetRecentFiles(const std::vector<std::string>& paths);
  void SetDocumentTitle(const std::string& title);

  // "What view": the three images to show, at a screen position.
  void PopupViewChoice(const QPoint& globalPosition);
  void PopupContextMenu(const QPoint& globalPosition);
  void PopupDrawingMenu(Place place, const QPoint& globalPosition);
  // The picture-editing submenus "Rotate", "Filters" and "Size" (null for
  // another name), and their pop-up at the mouse position.
  QMenu* PicturePopup(const std::string& name) const;
  void PopupPictureMenu(const std::string& name);
  // "What print" and the preview's "What view": what to print or preview.
  void PopupPrintChoice(const QPoint& globalPosition);
  void PopupPreviewChoice(const QPoint& globalPosition);

  // The task bar, tool panel and status bar, each as far as it is shown; off
  // while a print preview is up.
  void EnablePanels(bool on);

  // While long work changes the document on another thread, nothing reads it.
  void SetBusy(bool busy) { busy_ = busy; }
  bool Busy() const { return busy_; }

  // Asked before the window closes; false keeps it open.
  void SetCloseGuard(std::function<bool()> guard) { closeGuard_ = std::move(guard); }

 signals:
  // One local file was dropped on the window.
  void fileDropped(const QString& path);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolBars();
  void BuildPopups();
  void BuildDrawingMenus();
  void BuildPicturePopups(QMenu* editMenu);
  QMenu* AddMenu(const QString& title, Place place);
  void AddCommands(QWidget* target, const std::vector<CommandId>& ids);
  void UpdateStatusPanes();

  const CommandTable& table_;
  CommandActions* actions_;
  CTessel20View* view_;
  CTaskBar* taskBar_ = nullptr;
  CToolPanel* toolPanel_ = nullptr;
  CFrameStatusBar* status_;
  QToolBar* standardBar_ = nullptr;
  QToolBar* pictureBar_ = nullptr;
  QMenu* viewChoiceMenu_ = nullptr;
  QMenu* contextMenu_ = nullptr;
  QMenu* drawMenu_ = nullptr;
  QMenu* penSizeMenu_ = nullptr;
  QMenu* penShapeMenu_ = nullptr;
  QMenu* fillMenu_ = nullptr;
  QMenu* printChoiceMenu_ = nullptr;
  QMenu* previewChoiceMenu_ = nullptr;
  std::vector<QMenu*> mainMenus_;
  std::map<std::string, QMenu*> picturePopups_;
  std::function<bool()> closeGuard_;
  bool standard_ = false;
  bool graph_ = true;
  bool pictureEditing_ = false;
  bool busy_ = false;
  int stage_ = -1;
};

}  // namespace tintara
