// Pictures from SANE's virtual test devices through the acquire commands,
// "TWAIN Settings", the scan settings and progress windows and the wizard's
// "Get Picture" dialog.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QProcess>
#include <QProgressBar>

#include "app/acquisition_host.h"
#include "app/command_actions.h"
#include "app/get_picture_dialog.h"
#include "app/panel_buttons.h"
#include "app/scan_progress_window.h"
#include "app/scan_settings_dialog.h"
#include "app/stage_panels.h"
#include "app/twain_settings_dialog.h"
#include "app/wizard_dialog.h"
#include "editing/widgets/picture_panel_dialog.h"
#include "storage/scan_option_memory.h"
#include "tests/app/app_fixture.h"
#include "tests/support/sane_test_devices.h"

namespace tintara::test {
namespace {

const QString kScannerItem = QStringLiteral("&Get picture from scanner...");

// Answers "Scan Settings" through its fields, then presses "&Scan".
std::function<void(QWidget*)> ScanWith(int resolution, bool color, ScanArea area) {
  return [=](QWidget* modal) {
    auto* dialog = qobject_cast<ScanSettingsDialog*>(modal);
    ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
    int at = dialog->Resolution()->findData(resolution);
    ASSERT_GE(at, 0) << resolution;
    dialog->Resolution()->setCurrentIndex(at);
    dialog->Mode()->setCurrentIndex(dialog->Mode()->findData(color));
    dialog->Left()->setValue(area.left);
    dialog->Top()->setValue(area.top);
    dialog->Width()->setValue(area.width);
    dialog->Height()->setValue(area.height);
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  };
}

class AcquisitionTest : public ::testing::Test, public AppFixture {
 protected:
  void SetUp() override {
    scanFolder = QString::fromStdString(folder.File("scans"));
    QDir().mkpath(scanFolder);
  }

  void StartWithScanner(const std::string& stored) {
    StoredSettings().WriteString("TWAIN", "SCANNER", stored);
    ASSERT_EQ(Start(), StartResult::kRunning);
  }

  QStringList ScansLeft() const {
    return QDir(scanFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
  }

  // What scanimage writes for the same options, read as the program reads files.
  ImageRef ScanImage(const std::string& device, int resolution, bool color, ScanArea area) {
    QString out = QString::fromStdString(folder.File("reference.png"));
    QProcess process;
    process.start("scanimage",
                  {"-d", QString::fromStdString(device), "--format=png", "--mode",
                   color ? "Color" : "Gray", "--resolution", QString::number(resolution), "-l",
                   QString::number(area.left), "-t", QString::number(area.top), "-x",
                   QString::number(area.width), "-y", QString::number(area.height), "-o", out});
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    PictureLoad load = LoadPictureFile(out);
    EXPECT_TRUE(load.image) << load.error;
    QFile::remove(out);
    return load.image;
  }

  SaneTestDevices devices;
};

TEST_F(AcquisitionTest, ScannedPicturesBecomeTheProjectsPictureAsALoadedFileWould) {
  StartWithScanner("test:0");
  struct Case {
    int resolution;
    bool color;
  };
  const ScanArea area{5, 5, 30, 20};
  for (Case c : {Case{50, true}, Case{100, false}}) {
    SCOPED_TRACE(c.resolution);
    ModalAnswer answer(ScanWith(c.resolution, c.color, area));
    Choose("&File", kScannerItem);
    ASSERT_TRUE(WaitFor([&] { return Doc().initialPicture && !app->ScannerBusy(); }, 20000));
    EXPECT_EQ(Doc().pictureOrigin, kOriginDevice);
    EXPECT_EQ(Doc().pictureFileName, "");
    EXPECT_EQ(Doc().originDeviceName, "test:0");
    ImageRef reference = ScanImage("test:0", c.resolution, c.color, area);
    ASSERT_TRUE(reference);
    EXPECT_EQ(ImageToQImage(*Doc().initialPicture), ImageToQImage(*reference));
    EXPECT_EQ(Doc().initialPicture->Resolution() & 0xFFFF, uint32_t(c.resolution));
    EXPECT_EQ(ScansLeft(), QStringList());
    // The next picture replaces this one without asking: nothing was changed.
    Doc().initialPicture = nullptr;
  }
  // The settings chosen are the device's next start.
  EXPECT_EQ(ReadScanOptions(app->Settings(), "test:0"), (ScanOptions{100, false, area, false}));
}

TEST_F(AcquisitionTest, ScanSettingsOpenWithWhatTheDeviceUsedLast) {
  StoredSettings().WriteString(kScanOptionsSection, ScanOptionsKey("test:1"),
                               "resolution=150 mode=gray left=1 top=2 width=40 height=50 preview=0");
  StartWithScanner("test:1");
  ScanOptions seen;
  ModalAnswer answer([&](QWidget* modal) {
    auto* dialog = qobject_cast<ScanSettingsDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    seen = dialog->Options();
    dialog->reject();
  });
  Choose("&File", kScannerItem);
  ASSERT_TRUE(WaitFor([&] { return answer.Answered() == 1; }));
  EXPECT_EQ(seen, (ScanOptions{150, false, {1, 2, 40, 50}, false}));
  EXPECT_FALSE(app->ScannerBusy());  // cancelled before scanning
  EXPECT_FALSE(Doc().initialPicture);
}

TEST_F(AcquisitionTest, AStoredNameThatIsGoneOpensTheSettingsWithOnlyItsListEnabled) {
  StoredSettings().WriteString("TWAIN", "CAMERA", "camera:7");
  StartWithScanner("unplugged:3");
  bool onlyScanner = false;
  bool focused = false;
  QStringList listed;
  ModalScript script({[&](QWidget* modal) {
                        auto* dialog = qobject_cast<TwainSettingsDialog*>(modal);
                        ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
                        EXPECT_EQ(dialog->windowTitle(), "TWAIN Settings");
                        QComboBox* scanner = dialog->List(DeviceKind::kScanner);
                        onlyScanner = scanner->isEnabled() &&
                                      !dialog->List(DeviceKind::kCamera)->isEnabled() &&
                                      !dialog->List(DeviceKind::kOther)->isEnabled();
                        focused = scanner->hasFocus() || dialog->focusWidget() == scanner;
                        for (int i = 0; i < scanner->count(); ++i) listed << scanner->itemText(i);
                        scanner->setCurrentIndex(1);
                        dialog->accept();
                      },
                      ScanWith(50, true, {0, 0, 20, 20})});
  ASSERT_NE(Frame().Actions().Action(cmd::kAcquireScanner), nullptr);
  Frame().Actions().Action(cmd::kAcquireScanner)->trigger();
  ASSERT_TRUE(WaitFor([&] { return Doc().initialPicture != nullptr; }, 20000));
  EXPECT_TRUE(onlyScanner);
  EXPECT_TRUE(focused);
  EXPECT_EQ(listed, (QStringList{"test:0", "test:1"}));
  EXPECT_EQ(app->Environment().app.twainScanner, "test:1");
  EXPECT_EQ(app->Environment().app.twainCamera, "camera:7");  // a disabled list keeps its name
  EXPECT_EQ(Doc().originDeviceName, "test:1");
  app->Exit();
  app.reset();
  QtSettingsStore written(Ini());
  EXPECT_EQ(written.ReadString("TWAIN", "SCANNER", ""), "test:1");
}

TEST_F(AcquisitionTest, WithoutAnyDeviceTheSettingsSayNothingIsThere) {
  devices.ConfigureNoDevices();
  StartWithScanner("test:0");
  QString told;
  ModalAnswer answer([&](QWidget* modal) {
    told = MessageText(modal);
    PressMessageButton(modal, kResultOk);
  });
  Choose("&File", QStringLiteral("T&WAIN options..."));
  EXPECT_EQ(told, "Can't find any TWAIN device!");
  EXPECT_FALSE(Doc().initialPicture);
}

TEST_F(AcquisitionTest, CancelMidScanEndsWithAMessageAndNothingChanged) {
  // About a second and a half for the whole scan, in eight parts.
  devices.Configure({"read-delay true", "read-delay-duration 200000"});
  StartWithScanner("test:0");
  WritePicture("before.png", 40, 30);
  ASSERT_TRUE(app->LoadPictureFile(folder.File("before.png")));
  const ImageBuffer* before = Doc().initialPicture.get();
  QAction* scanner = Frame().Actions().Action(cmd::kAcquireScanner);
  QString told;
  ModalScript script({ScanWith(100, true, {0, 0, 60, 60}), [&](QWidget* modal) {
                        QPointer<ScanProgressWindow> progress =
                            qobject_cast<ScanProgressWindow*>(modal);
                        ASSERT_NE(progress, nullptr) << modal->metaObject()->className();
                        // Busy: every acquire command waits, wherever it sits.
                        EXPECT_FALSE(scanner->isEnabled());
                        EXPECT_FALSE(app->Commands().IsEnabled(cmd::kTwainOptions));
                        ASSERT_TRUE(WaitFor([&] { return !progress || progress->Bar()->value() > 0; }));
                        ASSERT_TRUE(progress) << "the scan ended before it could be cancelled";
                        EXPECT_LT(progress->Bar()->value(), 100);
                        progress->CancelButton()->click();
                      },
                      [&](QWidget* modal) {
                        told = MessageText(modal);
                        PressMessageButton(modal, kResultOk);
                      }});
  ASSERT_TRUE(scanner->isEnabled());
  scanner->trigger();
  ASSERT_TRUE(WaitFor([&] { return script.Answered() == 3 && !app->ScannerBusy(); }, 20000));
  EXPECT_EQ(told, "The scan was cancelled.");
  EXPECT_EQ(Doc().initialPicture.get(), before);
  EXPECT_EQ(Doc().pictureOrigin, kOriginFile);
  EXPECT_EQ(ScansLeft(), QStringList());
  EXPECT_TRUE(scanner->isEnabled());
}

TEST_F(AcquisitionTest, ADeviceThatStopsAnsweringLeavesTheProjectAsItWas) {
  devices.Configure({"read-status-code \"SANE_STATUS_IO_ERROR\""});
  StartWithScanner("test:0");
  ModalAnswer settings(ScanWith(50, true, {0, 0, 20, 20}));
  MessageCatcher message;
  Choose("&File", kScannerItem);
  ASSERT_TRUE(WaitFor([&] { return !message.told.isEmpty(); }, 20000));
  EXPECT_TRUE(message.told.contains("test:0 stopped answering")) << message.told.toStdString();
  EXPECT_FALSE(Doc().initialPicture);
  EXPECT_EQ(ScansLeft(), QStringList());
}

TEST_F(AcquisitionTest, AnUnreadablePictureIsDeletedAndTold) {
  StartWithScanner("test:0");
  WritePicture("before.png", 40, 30);
  ASSERT_TRUE(app->LoadPictureFile(folder.File("before.png")));
  const ImageBuffer* before = Doc().initialPicture.get();
  QString broken = scanFolder + "/scan-broken.png";
  {
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\x89PNG\r\n\x1a\n not really");
  }
  QString told;
  ModalAnswer answer([&](QWidget* modal) {
    told = MessageText(modal);
    PressMessageButton(modal, kResultOk);
  });
  QCoreApplication::postEvent(app.get(), new PictureAcquiredEvent(broken.toStdString()));
  ASSERT_TRUE(WaitFor([&] { return answer.Answered() == 1; }));
  EXPECT_TRUE(told.contains("could not be read"));
  EXPECT_FALSE(QFile::exists(broken));
  EXPECT_EQ(Doc().initialPicture.get(), before);
}

TEST_F(AcquisitionTest, KeepingTheModifiedProjectDropsTheScanAndItsFile) {
  StartWithScanner("test:0");
  WritePicture("before.png", 40, 30);
  ASSERT_TRUE(app->LoadPictureFile(folder.File("before.png")));
  Doc().modified = true;
  const ImageBuffer* before = Doc().initialPicture.get();
  QString scan = scanFolder + "/scan-good.png";
  ASSERT_EQ(SavePictureFile(*MakePhoto(20, 10), scan), "");
  QString asked;
  ModalAnswer answer([&](QWidget* modal) {
    asked = MessageText(modal);
    PressMessageButton(modal, kResultCancel);
  });
  QCoreApplication::postEvent(app.get(), new PictureAcquiredEvent(scan.toStdString()));
  ASSERT_TRUE(WaitFor([&] { return answer.Answered() == 1; }));
  EXPECT_TRUE(asked.startsWith("Save changes to"));
  EXPECT_FALSE(QFile::exists(scan));
  EXPECT_EQ(Doc().initialPicture.get(), before);
  EXPECT_EQ(Doc().pictureOrigin, kOriginFile);
}

TEST_F(AcquisitionTest, TheStartPageOffersScannerCameraAndOtherDevice) {
  StoredSettings().WriteInt("INTERFACE", "GRAPH", 1);
  StartWithScanner("test:0");
  ASSERT_TRUE(app->Dispatch(cmd::kStageStart));
  std::map<QString, CommandId> shown;
  for (auto* button : Frame().ToolPanel()->Buttons()) {
    shown[button->Caption()] = button->Action()->data().toInt();
  }
  EXPECT_EQ(shown["Use Scanner"], cmd::kAcquireScanner);
  EXPECT_EQ(shown["Use Camera"], cmd::kAcquireCamera);
  EXPECT_EQ(shown["TWAIN"], cmd::kAcquireOther);
}

// The whole way from the wizard: "&Acquire Picture", "Use My &Scanner...", the
// scan, then the wizard gone and the creation steps under way.
TEST_F(AcquisitionTest, TheWizardsAcquirePictureScansClosesTheWizardAndRunsTheSteps) {
  StartWithScanner("test:0");
  auto clickLater = [](QAbstractButton* button) {
    QTimer::singleShot(0, button, [button] { button->click(); });
  };
  bool wizardGoneFirst = false;
  ModalScript script({[&](QWidget* modal) {
                        auto* wizard = qobject_cast<WizardDialog*>(modal);
                        ASSERT_NE(wizard, nullptr) << modal->metaObject()->className();
                        clickLater(wizard->AcquireButton());
                      },
                      [&](QWidget* modal) {
                        auto* dialog = qobject_cast<GetPictureDialog*>(modal);
                        ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
                        clickLater(dialog->UseButton(DeviceKind::kScanner));
                      },
                      ScanWith(50, true, {0, 0, 25, 25})});
  // The scan's progress window comes and goes first; then "Adjust Image".
  bool adjustSeen = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* adjust = qobject_cast<PicturePanelDialog*>(QApplication::activeModalWidget());
    if (adjust == nullptr || adjustSeen) return;
    adjustSeen = true;
    wizardGoneFirst = app->Wizard() == nullptr;
    adjust->Button(QStringLiteral("Close"))->click();
  });
  poll.start(5);
  Choose("&File", "Wi&zard...");
  ASSERT_TRUE(WaitFor([&] { return adjustSeen; }, 20000));
  EXPECT_EQ(script.Answered(), 3u);
  EXPECT_TRUE(wizardGoneFirst);
  ASSERT_NE(Doc().initialPicture, nullptr);
  EXPECT_EQ(Doc().pictureOrigin, kOriginDevice);
  EXPECT_EQ(Doc().originDeviceName, "test:0");
  EXPECT_EQ(ScansLeft(), QStringList());
}

// The wizard's dialog, driven through its buttons.
TEST_F(AcquisitionTest, GetPictureScansThenClosesAndLetsTheWizardGoOn) {
  StoredSettings().WriteString("TWAIN", "CAMERA", "test:1");
  StartWithScanner("test:0");
  int wizardCalls = 0;
  bool dialogGoneFirst = false;
  app->onWizardPictureArrived = [&] {
    ++wizardCalls;
    dialogGoneFirst = app->OpenGetPictureDialog() == nullptr ||
                      !app->OpenGetPictureDialog()->isVisible();
  };
  ModalScript script({[&](QWidget* modal) {
                        auto* dialog = qobject_cast<GetPictureDialog*>(modal);
                        ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
                        EXPECT_EQ(dialog->BusyPoll().interval(), 500);
                        EXPECT_TRUE(dialog->UseButton(DeviceKind::kCamera)->isEnabled());
                        QTimer::singleShot(0, dialog->UseButton(DeviceKind::kCamera),
                                           &QPushButton::click);
                      },
                      ScanWith(50, false, {0, 0, 25, 25})});
  app->RunGetPicture();  // returns when the dialog has closed
  EXPECT_EQ(wizardCalls, 1);
  EXPECT_TRUE(dialogGoneFirst);
  ASSERT_TRUE(Doc().initialPicture);
  EXPECT_EQ(Doc().originDeviceName, "test:1");
  EXPECT_FALSE(Doc().acquisitionFromWizard);
  EXPECT_EQ(ScansLeft(), QStringList());

  // The same picture from the menu does not wake the wizard.
  Doc().initialPicture = nullptr;
  ModalAnswer answer(ScanWith(50, false, {0, 0, 25, 25}));
  Choose("&File", kScannerItem);
  ASSERT_TRUE(WaitFor([&] { return Doc().initialPicture && !app->ScannerBusy(); }, 20000));
  EXPECT_EQ(wizardCalls, 1);
}

TEST_F(AcquisitionTest, GetPictureFollowsTheBusyStateAndOffersTheSettingsForAllKinds) {
  StartWithScanner("test:0");
  bool busy = false;
  int settingsCalls = 0;
  std::vector<DeviceKind> used;
  GetPictureDialog dialog({[&](DeviceKind kind) { used.push_back(kind); },
                           [&] { ++settingsCalls; }, [&] { return busy; }});
  dialog.show();
  for (DeviceKind kind : {DeviceKind::kScanner, DeviceKind::kCamera, DeviceKind::kOther}) {
    EXPECT_TRUE(dialog.UseButton(kind)->isEnabled());
    dialog.UseButton(kind)->click();
  }
  EXPECT_EQ(used, (std::vector<DeviceKind>{DeviceKind::kScanner, DeviceKind::kCamera,
                                           DeviceKind::kOther}));
  busy = true;
  EXPECT_TRUE(dialog.UseButton(DeviceKind::kScanner)->isEnabled());  // until the next look
  EXPECT_TRUE(WaitFor([&] { return !dialog.UseButton(DeviceKind::kScanner)->isEnabled(); }, 1500));
  EXPECT_FALSE(dialog.UseButton(DeviceKind::kOther)->isEnabled());
  EXPECT_TRUE(dialog.SettingsButton()->isEnabled());
  busy = false;
  EXPECT_TRUE(WaitFor([&] { return dialog.UseButton(DeviceKind::kCamera)->isEnabled(); }, 1500));
  dialog.SettingsButton()->click();
  EXPECT_EQ(settingsCalls, 1);
  dialog.CancelButton()->click();
  EXPECT_EQ(dialog.result(), QDialog::Rejected);

  // The program's own "Settings..." opens "TWAIN Settings" with every list enabled.
  bool allEnabled = false;
  ModalScript script({[&](QWidget* modal) {
                        QTimer::singleShot(0, qobject_cast<GetPictureDialog*>(modal)->SettingsButton(),
                                           &QPushButton::click);
                      },
                      [&](QWidget* modal) {
                        auto* settings = qobject_cast<TwainSettingsDialog*>(modal);
                        ASSERT_NE(settings, nullptr);
                        allEnabled = settings->List(DeviceKind::kScanner)->isEnabled() &&
                                     settings->List(DeviceKind::kCamera)->isEnabled() &&
                                     settings->List(DeviceKind::kOther)->isEnabled();
                        settings->reject();
                        QTimer::singleShot(50, app->OpenGetPictureDialog(), &QDialog::reject);
                      }});
  app->RunGetPicture();
  EXPECT_TRUE(allEnabled);
  EXPECT_FALSE(Doc().initialPicture);
}

}  // namespace
}  // namespace tintara::test
