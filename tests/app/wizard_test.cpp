#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QListWidget>
#include <QSettings>
#include <QTabWidget>
#include <QTreeWidget>
#include <fstream>

#include "app/project_browser.h"
#include "app/wizard_dialog.h"
#include "colors/widgets/pattern_settings_sheet.h"
#include "colors/widgets/pattern_size_dialog.h"
#include "colors/widgets/pattern_type_dialog.h"
#include "editing/widgets/picture_panel_dialog.h"
#include "storage/recent_projects.h"
#include "storage/settings_keys.h"
#include "tests/app/app_fixture.h"
#include "tests/support/project_reading.h"

namespace tintara::test {
namespace {

// A click that may open a modal dialog of its own: made from the event loop,
// so that the script answering modals keeps running meanwhile.
void ClickLater(QAbstractButton* button) {
  QTimer::singleShot(0, button, [button] { button->click(); });
}

// Answers modal windows by their titles, in order: a window that is not the
// one awaited next (the wizard, up again while a picture decodes) is left be.
class TitledModals {
 public:
  using Step = std::pair<QString, std::function<void(QWidget*)>>;
  explicit TitledModals(std::vector<Step> steps) : steps_(std::move(steps)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr || next_ >= steps_.size() || modal == last_.data()) return;
      if (modal->windowTitle() != steps_[next_].first) return;
      last_ = modal;
      steps_[next_++].second(modal);
    });
    timer_.start(5);
  }
  size_t Answered() const { return next_; }

 private:
  std::vector<Step> steps_;
  size_t next_ = 0;
  QPointer<QWidget> last_;
  QTimer timer_;
};

class WizardTest : public ::testing::Test, public AppFixture {
 protected:
  // What the settings file holds now, as another program would read it.
  QVariant OnDisk(const QString& key) {
    QSettings file(Ini(), QSettings::IniFormat);
    return file.value(key);
  }
  // A project holding a picture of width × height, at `name` in the test folder.
  std::string MakeProject(const std::string& name, int width, int height) {
    EXPECT_TRUE(app->LoadPictureFile(WritePicture(name + ".png", width, height)));
    std::string path = folder.File(name + ".mop");
    EXPECT_TRUE(app->SaveTo(path));
    return path;
  }
  // Runs "Wi&zard..." from the File menu while `acts` answer the modals.
  void RunWizard(std::vector<std::function<void(QWidget*)>> acts) {
    ModalScript script(std::move(acts));
    Choose("&File", "Wi&zard...");
    EXPECT_EQ(app->Wizard(), nullptr);
  }
  static WizardDialog* AsWizard(QWidget* modal) {
    auto* wizard = qobject_cast<WizardDialog*>(modal);
    EXPECT_NE(wizard, nullptr) << modal->metaObject()->className();
    return wizard;
  }
};

TEST_F(WizardTest, FirstStartShowsItUntickedAndClosingLeavesTheSettingUnwritten) {
  StoredSettings().Remove("WIZARD", "SHOWONSTART");
  for (int start = 0; start < 2; ++start) {
    bool ticked = false;
    bool lastEnabled = true;
    QString title;
    ModalAnswer close([&](QWidget* modal) {
      WizardDialog* wizard = AsWizard(modal);
      ASSERT_NE(wizard, nullptr);
      title = wizard->windowTitle();
      ticked = wizard->DontShowBox()->isChecked();
      lastEnabled = wizard->OpenLastButton()->isEnabled();
      wizard->CloseButton()->click();
    });
    ASSERT_EQ(Start(), StartResult::kRunning);
    ASSERT_TRUE(WaitFor([&] { return close.Answered() == 1 && app->Wizard() == nullptr; }));
    EXPECT_EQ(title, "Tintara Wizard");
    // It did open at start: the box says so.
    EXPECT_FALSE(ticked);
    EXPECT_FALSE(lastEnabled);  // no last project yet
    EXPECT_EQ(Frame().Stage(), 0);
    app->Exit();
    app.reset();
    // Nothing was written: the next start shows the wizard again.
    EXPECT_FALSE(OnDisk("WIZARD/SHOWONSTART").isValid());
  }
}

TEST_F(WizardTest, EachTimeItOpensTheBoxShowsTheStoredChoice) {
  for (int stored : {1, 0}) {
    StoredSettings().WriteInt("WIZARD", "SHOWONSTART", stored);
    std::vector<bool> ticks;
    auto look = [&](QWidget* modal) {
      WizardDialog* wizard = AsWizard(modal);
      ASSERT_NE(wizard, nullptr);
      ticks.push_back(wizard->DontShowBox()->isChecked());
      wizard->CloseButton()->click();
    };
    if (stored == 0) {
      // Not ticked: it opens at start too.
      ModalAnswer atStart(look);
      ASSERT_EQ(Start(), StartResult::kRunning);
      ASSERT_TRUE(WaitFor([&] { return atStart.Answered() == 1 && app->Wizard() == nullptr; }));
    } else {
      ASSERT_EQ(Start(), StartResult::kRunning);
    }
    RunWizard({look});
    EXPECT_EQ(ticks, std::vector<bool>(stored == 0 ? 2 : 1, stored == 1)) << stored;
    app->Exit();
    app.reset();
  }
}

TEST_F(WizardTest, TheCheckBoxIsWrittenAtOnceAndAFileOnTheCommandLineSkipsTheWizard) {
  StoredSettings().WriteInt("WIZARD", "SHOWONSTART", 0);
  ModalAnswer untick([&](QWidget* modal) {
    WizardDialog* wizard = AsWizard(modal);
    ASSERT_NE(wizard, nullptr);
    EXPECT_FALSE(wizard->DontShowBox()->isChecked());
    wizard->DontShowBox()->click();
    EXPECT_EQ(OnDisk("WIZARD/SHOWONSTART").toInt(), 1);
    wizard->DontShowBox()->click();
    EXPECT_EQ(OnDisk("WIZARD/SHOWONSTART").toInt(), 0);
    wizard->CloseButton()->click();
  });
  ASSERT_EQ(Start(), StartResult::kRunning);
  ASSERT_TRUE(WaitFor([&] { return untick.Answered() == 1 && app->Wizard() == nullptr; }));
  app->Exit();
  app.reset();

  // A picture named at start-up: no wizard, the picture is open at once.
  ASSERT_EQ(Start(WritePicture("named.png", 60, 40)), StartResult::kRunning);
  QApplication::processEvents();
  EXPECT_EQ(app->Wizard(), nullptr);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_NE(Doc().initialPicture, nullptr);
}

TEST_F(WizardTest, OpenLastProjectOpensItAndDoesNothingWhenTheFileIsGone) {
  ASSERT_EQ(Start(), StartResult::kRunning);
  const std::string project = MakeProject("last", 90, 60);
  ASSERT_EQ(LastProject(app->Settings()), project);

  RunWizard({[&](QWidget* modal) {
    WizardDialog* wizard = AsWizard(modal);
    ASSERT_NE(wizard, nullptr);
    ASSERT_TRUE(wizard->OpenLastButton()->isEnabled());
    wizard->OpenLastButton()->click();
  }});
  EXPECT_EQ(Doc().pathName, project);
  ASSERT_NE(Doc().initialPicture, nullptr);

  std::filesystem::remove(project);
  bool stayedOpen = false;
  RunWizard({[&](QWidget* modal) {
    WizardDialog* wizard = AsWizard(modal);
    ASSERT_NE(wizard, nullptr);
    // The launch emptied the project before the wizard came up.
    EXPECT_EQ(Doc().initialPicture, nullptr);
    wizard->OpenLastButton()->click();
    stayedOpen = wizard->isVisible();
    wizard->CloseButton()->click();
  }});
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(Doc().pathName.empty());
}

TEST_F(WizardTest, AWholeRunFromAPictureFileToASavedProject) {
  ASSERT_EQ(Start(), StartResult::kRunning);
  const std::string picture = WritePicture("photo.png", 180, 120);
  bool sheetHadThreePages = false;
  bool allPageCounts = false;
  TitledModals script({
      {"Tintara Wizard", [&](QWidget* modal) {
        WizardDialog* wizard = AsWizard(modal);
        ASSERT_NE(wizard, nullptr);
        ClickLater(wizard->OpenPictureButton());
      }},
      {"Open picture", [&](QWidget* modal) { ChooseFile(modal, picture); }},
      {"Adjust Image", [&](QWidget* modal) {
        auto* adjust = qobject_cast<PicturePanelDialog*>(modal);
        ASSERT_NE(adjust, nullptr) << modal->metaObject()->className();
        EXPECT_EQ(adjust->windowTitle(), "Adjust Image");
        adjust->Button(QStringLiteral("Rotate &Left 90"))->click();
        adjust->Button(QStringLiteral("&Next >"))->click();
      }},
      {"Filter Image", [&](QWidget* modal) {
        auto* filter = qobject_cast<PicturePanelDialog*>(modal);
        ASSERT_NE(filter, nullptr) << modal->metaObject()->className();
        EXPECT_EQ(filter->windowTitle(), "Filter Image");
        filter->Button(QStringLiteral("&Next >"))->click();
      }},
      {"Painting pattern settings", [&](QWidget* modal) {
        auto* sheet = qobject_cast<PatternSettingsSheet*>(modal);
        ASSERT_NE(sheet, nullptr) << modal->metaObject()->className();
        EXPECT_EQ(sheet->windowTitle(), "Painting pattern settings");
        QTabWidget* tabs = sheet->Tabs();
        sheetHadThreePages = tabs->count() == 3 && tabs->tabText(0) == "Colors" &&
                             tabs->tabText(1) == "Size of Painting Pattern" &&
                             tabs->tabText(2) == "Type of pattern";
        // Unlike the size command, the sheet offers all ten page counts.
        allPageCounts = sheet->SizePage()->Pages()->count() == 10;
        tabs->setCurrentIndex(2);
        sheet->TypePage()->List()->setCurrentRow(0);
        QPushButton* ok = nullptr;
        for (QPushButton* button : sheet->findChildren<QPushButton*>()) {
          if (button->text() == "OK" && button->isVisible()) ok = button;
        }
        ASSERT_NE(ok, nullptr);
        ok->click();
      }},
  });
  Choose("&File", "Wi&zard...");
  EXPECT_EQ(script.Answered(), 5u);
  EXPECT_TRUE(sheetHadThreePages);
  EXPECT_TRUE(allPageCounts);
  ASSERT_TRUE(WaitFor([&] { return Doc().HasPattern() && !Frame().Busy(); }));
  EXPECT_EQ(Doc().pictureEditing, 0);
  EXPECT_EQ(Frame().Stage(), 3);
  // The picture was turned on its side in "Adjust Image".
  EXPECT_EQ(Doc().initialPicture->Width(), 120);
  EXPECT_EQ(Doc().initialPicture->Height(), 180);

  {
    ModalAnswer save([&](QWidget* modal) { ChooseFile(modal, folder.File("wizard")); });
    ASSERT_TRUE(app->Dispatch(cmd::kSaveProject));
  }
  const std::string project = folder.File("wizard.mop");
  ASSERT_TRUE(std::filesystem::exists(project));
  ProjectData saved = ReadProjectAt(project);
  ASSERT_NE(saved.convertedPicture, nullptr);
  EXPECT_EQ(saved.initialPicture->Width(), 120);
  EXPECT_EQ(saved.params.patternType, Doc().params.patternType);
  EXPECT_EQ(saved.pictureFileName, picture);
}

TEST_F(WizardTest, CancelInAdjustImageEndsTheStepsAndKeepsThePicture) {
  ASSERT_EQ(Start(), StartResult::kRunning);
  const std::string picture = WritePicture("photo.png", 80, 50);
  bool sheetSeen = false;
  TitledModals script({
      {"Tintara Wizard", [&](QWidget* modal) { ClickLater(AsWizard(modal)->OpenPictureButton()); }},
      {"Open picture", [&](QWidget* modal) { ChooseFile(modal, picture); }},
      {"Adjust Image", [&](QWidget* modal) {
        auto* adjust = qobject_cast<PicturePanelDialog*>(modal);
        ASSERT_NE(adjust, nullptr);
        adjust->Button(QStringLiteral("Close"))->click();
      }},
      {"Filter Image", [&](QWidget*) { sheetSeen = true; }},
  });
  Choose("&File", "Wi&zard...");
  EXPECT_EQ(script.Answered(), 3u);
  QApplication::processEvents();
  EXPECT_FALSE(sheetSeen);
  ASSERT_NE(Doc().initialPicture, nullptr);
  EXPECT_EQ(Doc().pictureEditing, 1);
  EXPECT_FALSE(Doc().HasPattern());
}

class ProjectBrowserTest : public WizardTest {
 protected:
  void SetUp() override { ASSERT_EQ(Start(), StartResult::kRunning); }
  // Opens the browser from a wizard launched from the menu; `act` gets it.
  void InBrowser(const std::function<void(ProjectBrowserDialog*)>& act) {
    RunWizard({
        [&](QWidget* modal) { ClickLater(AsWizard(modal)->SelectAnotherButton()); },
        [&](QWidget* modal) {
          auto* browser = qobject_cast<ProjectBrowserDialog*>(modal);
          ASSERT_NE(browser, nullptr) << modal->metaObject()->className();
          act(browser);
          // Still up after the act: closed with Cancel, then the wizard closes.
          if (browser->isVisible()) browser->reject();
          if (WizardDialog* wizard = app->Wizard()) {
            QTimer::singleShot(0, wizard, [wizard] { wizard->CloseButton()->click(); });
          }
        },
    });
  }
  static QStringList Column(QTreeWidget* list, int column) {
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      texts << list->topLevelItem(i)->text(column);
    }
    return texts;
  }
};

TEST_F(ProjectBrowserTest, ListsExistingProjectsWithPreviewAndRewritesTheListWithoutMissingOnes) {
  const std::string a = MakeProject("bravo", 90, 60);
  const std::string b = MakeProject("alpha", 60, 90);
  const std::string gone = folder.File("gone.mop");
  WriteRecentProjects(app->Settings(), {a, gone, b});
  ASSERT_TRUE(app->Dispatch(cmd::kNewProject));

  bool previewShown = false;
  int beeps = 0;
  QObject::connect(&app->Host(), &QtUiHost::beeped, [&] { ++beeps; });
  InBrowser([&](ProjectBrowserDialog* browser) {
    QTreeWidget* list = browser->List();
    EXPECT_EQ(browser->windowTitle(), "Projects Browser");
    ASSERT_EQ(list->columnCount(), 4);
    EXPECT_EQ(list->headerItem()->text(0), "Name");
    EXPECT_EQ(list->headerItem()->text(1), "Project path");
    EXPECT_EQ(list->headerItem()->text(2), "Created");
    EXPECT_EQ(list->headerItem()->text(3), "Modified");
    EXPECT_EQ(Column(list, 0), (QStringList{"bravo", "alpha"}));
    EXPECT_EQ(list->currentItem(), list->topLevelItem(0));
    EXPECT_EQ(ReadRecentProjects(app->Settings()), (std::vector<std::string>{a, b}));
    EXPECT_NEAR(list->columnWidth(0), list->viewport()->width() / 4, 1);
    // The first row's preview arrives from the worker.
    previewShown = WaitFor([&] { return browser->PreviewsPending() == 0; }) &&
                   browser->Preview()->HasPicture();

    // A click on a header sorts by path, a second click the other way.
    list->header()->sectionClicked(0);
    EXPECT_EQ(Column(list, 0), (QStringList{"alpha", "bravo"}));
    list->header()->sectionClicked(0);
    EXPECT_EQ(Column(list, 0), (QStringList{"bravo", "alpha"}));

    // Unticking the box takes the preview away.
    browser->PreviewBox()->click();
    EXPECT_FALSE(browser->Preview()->HasPicture());

    // OK with nothing selected beeps and stays.
    list->clearSelection();
    browser->OkButton()->click();
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(browser->isVisible());
  });
  EXPECT_TRUE(previewShown);
  EXPECT_TRUE(Doc().pathName.empty());
}

TEST_F(ProjectBrowserTest, OkOpensTheSelectedProjectAndClosesTheWizard) {
  const std::string a = MakeProject("first", 90, 60);
  const std::string b = MakeProject("second", 60, 90);
  WriteRecentProjects(app->Settings(), {a, b});
  ASSERT_TRUE(app->Dispatch(cmd::kNewProject));
  InBrowser([&](ProjectBrowserDialog* browser) {
    browser->List()->setCurrentItem(browser->List()->topLevelItem(1));
    browser->OkButton()->click();
    EXPECT_FALSE(browser->isVisible());
  });
  EXPECT_EQ(Doc().pathName, b);
  EXPECT_EQ(app->Wizard(), nullptr);
}

TEST_F(ProjectBrowserTest, ADamagedProjectShowsNoThumbnailAndAClearMessageWhenChosen) {
  const std::string damaged = folder.File("damaged.mop");
  std::ofstream(damaged, std::ios::binary) << "DIDUZ20 and then nothing that makes sense";
  WriteRecentProjects(app->Settings(), {damaged});
  std::string previewError;
  bool grey = false;
  QString message;
  std::unique_ptr<MessageCatcher> told;
  InBrowser([&](ProjectBrowserDialog* browser) {
    ASSERT_TRUE(WaitFor([&] { return browser->PreviewsPending() == 0; }));
    previewError = browser->PreviewError();
    grey = !browser->Preview()->HasPicture();
    const QImage area = browser->Preview()->grab().toImage();
    grey = grey && area.pixelColor(area.width() / 2, area.height() / 2) == QColor(92, 92, 92);
    // The message may come while the wizard is the window in front.
    told = std::make_unique<MessageCatcher>();
    browser->OkButton()->click();
    EXPECT_FALSE(browser->isVisible());
  });
  ASSERT_NE(told, nullptr);
  ASSERT_TRUE(WaitFor([&] { return !told->told.isEmpty(); }));
  message = told->told;
  EXPECT_EQ(previewError, "Unexpected file format.");
  EXPECT_TRUE(grey);
  EXPECT_EQ(message, "Unexpected file format.");
  EXPECT_EQ(Doc().initialPicture, nullptr);
}

TEST_F(ProjectBrowserTest, TheListAnswersAtOnceWhileLargeProjectsAreRead) {
  const std::string large = MakeProject("large", 3000, 2000);
  std::vector<std::string> paths;
  for (int i = 0; i < kMaxRecentProjects; ++i) {
    std::string link = folder.File("large" + std::to_string(i) + ".mop");
    std::filesystem::create_hard_link(large, link);
    paths.push_back(link);
  }
  WriteRecentProjects(app->Settings(), paths);
  ASSERT_TRUE(app->Dispatch(cmd::kNewProject));
  qint64 walkMs = -1;
  bool busyWhileWalking = false;
  bool lastShown = false;
  InBrowser([&](ProjectBrowserDialog* browser) {
    QTreeWidget* list = browser->List();
    ASSERT_EQ(list->topLevelItemCount(), kMaxRecentProjects);
    QElapsedTimer clock;
    clock.start();
    for (int i = 1; i < kMaxRecentProjects; ++i) {
      QTest::keyClick(list, Qt::Key_Down);
    }
    walkMs = clock.elapsed();
    busyWhileWalking = browser->PreviewsPending() > 0;
    EXPECT_EQ(list->currentItem(), list->topLevelItem(kMaxRecentProjects - 1));
    lastShown = WaitFor([&] { return browser->PreviewsPending() == 0; }, 20000) &&
                browser->Preview()->HasPicture();
  });
  RecordProperty("walkMilliseconds", int(walkMs));
  EXPECT_TRUE(busyWhileWalking);
  EXPECT_LT(walkMs, 500);
  EXPECT_TRUE(lastShown);
}

}  // namespace
}  // namespace tintara::test
