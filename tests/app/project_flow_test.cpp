#include <QDropEvent>
#include <QMimeData>
#include <QSpinBox>
#include <QUrl>
#include <fstream>
#include <set>

#include "app/reduction_dialogs.h"
#include "platform/picture_files.h"
#include "storage/settings_keys.h"
#include "tests/app/app_fixture.h"
#include "view/widgets/tessel20_view.h"

namespace tintara::test {
namespace {

class ProjectFlowTest : public ::testing::Test, public AppFixture {
 protected:
  void SetUp() override { ASSERT_EQ(Start(), StartResult::kRunning); }

  // "Load picture from disk" with `path` chosen in the dialog.
  void LoadThroughDialog(const std::string& path) {
    ModalAnswer choose([&](QWidget* modal) { ChooseFile(modal, path); });
    ASSERT_TRUE(app->Dispatch(cmd::kLoadPicture));
    ASSERT_EQ(choose.Answered(), 1u);
  }
  // A picture arrives in the picture stage; the pattern is made after it.
  void CreatePattern() {
    ASSERT_TRUE(app->Dispatch(cmd::kFinishPictureEditing));
    ASSERT_TRUE(app->Dispatch(cmd::kCreateDrawingPattern));
    ASSERT_TRUE(Doc().HasPattern());
  }
  std::string Stored(Setting setting) { return ReadSettingText(app->Settings(), setting); }
};

TEST_F(ProjectFlowTest, LoadCreateSaveAndReopenThroughCommands) {
  std::string defaultImages = app->Environment().app.imagesFolder;
  std::string picture = WritePicture("photo.png", 180, 120);
  LoadThroughDialog(picture);
  ASSERT_TRUE(Doc().initialPicture);
  EXPECT_EQ(Doc().pictureFileName, picture);
  // The dialog started in the remembered folder; the chosen folder is remembered next.
  EXPECT_EQ(ReadSettingText(app->ConvertIni(), Setting::kConvertOpenDir), defaultImages);
  EXPECT_EQ(app->Environment().app.imagesFolder, folder.Path().string());

  EXPECT_TRUE(Doc().pictureEditing);
  EXPECT_FALSE(app->Commands().IsEnabled(cmd::kCreateDrawingPattern));
  CreatePattern();
  EXPECT_TRUE(Doc().modified);
  EXPECT_EQ(Frame().Stage(), 3);  // the document moved the panel to the pattern
  EXPECT_EQ(Doc().viewMode, kViewPattern);  // and shows the numbered pattern

  {
    // A name typed without the suffix gets the project suffix.
    ModalAnswer save([&](QWidget* modal) { ChooseFile(modal, folder.File("cat")); });
    ASSERT_TRUE(app->Dispatch(cmd::kSaveProject));
  }
  std::string project = folder.File("cat.mop");
  ASSERT_TRUE(std::filesystem::exists(project));
  EXPECT_EQ(Doc().pathName, project);
  EXPECT_FALSE(Doc().modified);
  EXPECT_EQ(Frame().windowTitle(), "cat.mop - Tintara 2.0");
  ASSERT_FALSE(app->RecentFiles().Entries().empty());
  EXPECT_EQ(app->RecentFiles().Entries().front(), project);
  EXPECT_EQ(Stored(Setting::kWizardLastProject), project);
  EXPECT_EQ(app->Settings().ReadString("WIZARD", "LAST0", ""), project);

  ImageRef pattern = ImageBuffer::Copy(*Doc().patternImage);
  ImageRef index = ImageBuffer::Copy(*Doc().indexImage);
  // Nothing unsaved: no question.
  ASSERT_TRUE(app->Dispatch(cmd::kNewProject));
  EXPECT_FALSE(Doc().initialPicture);
  EXPECT_FALSE(Doc().HasPattern());

  ASSERT_TRUE(app->Dispatch(cmd::kRecentFile1));
  ASSERT_TRUE(Doc().HasPattern());
  EXPECT_TRUE(SamePixels(*Doc().patternImage, *pattern));
  EXPECT_TRUE(SamePixels(*Doc().indexImage, *index));
  EXPECT_EQ(Doc().pathName, project);
  EXPECT_EQ(Frame().Stage(), 3);
}

// A picture that replaces the project gets paints chosen for it, the same as
// the first picture of a new project would.
TEST_F(ProjectFlowTest, ANewPictureGetsItsOwnPaints) {
  ImageRef swapped = MakePhoto(120, 90);
  for (int32_t y = 0; y < swapped->Height(); ++y) {
    uint8_t* row = swapped->WritableRows().value().Row(y);
    for (int32_t x = 0; x < swapped->Width(); ++x) std::swap(row[3 * x], row[3 * x + 2]);
  }
  std::string blue = folder.File("blue.png");
  ASSERT_EQ(SavePictureFile(*swapped, QString::fromStdString(blue)), "");
  auto paints = [&] {
    std::vector<std::string> names;
    for (const CFlossColor& paint : Doc().params.workingPalette) names.push_back(paint.colorName);
    return names;
  };

  LoadThroughDialog(WritePicture("red.png", 120, 90));
  CreatePattern();
  std::vector<std::string> redPaints = paints();
  ModalScript replace({[&](QWidget* modal) { ChooseFile(modal, blue); },
                       [&](QWidget* modal) { PressMessageButton(modal, kResultNo); }});
  Choose("&File", "Load picture from dis&k...");
  ASSERT_EQ(replace.Answered(), 2u);
  CreatePattern();
  std::vector<std::string> afterReplacing = paints();

  {
    ModalAnswer dontSave([](QWidget* modal) { PressMessageButton(modal, kResultNo); });
    Choose("&File", "&New");
  }
  LoadThroughDialog(blue);
  CreatePattern();
  EXPECT_EQ(afterReplacing, paints());
  EXPECT_NE(afterReplacing, redPaints);
}

// Undo and Redo after a save leave the project different from its file: the
// title says so and closing asks before the state is lost.
TEST_F(ProjectFlowTest, UndoAndRedoAfterASaveAskBeforeClosing) {
  LoadThroughDialog(WritePicture("photo.png", 120, 90));
  CreatePattern();
  std::string project = folder.File("undone.mop");
  {
    ModalAnswer save([&](QWidget* modal) { ChooseFile(modal, project); });
    ASSERT_TRUE(app->Dispatch(cmd::kSaveProject));
  }
  ASSERT_FALSE(Doc().modified);
  for (Qt::Key key : {Qt::Key_Z, Qt::Key_Y}) {
    Key(key);
    EXPECT_TRUE(Doc().modified) << key;
    QString question;
    ModalScript script({[&](QWidget* modal) {
      question = MessageText(modal);
      PressMessageButton(modal, kResultCancel);
    }});
    Choose("&File", "&New");
    EXPECT_EQ(question, "Save changes to undone.mop?");
    EXPECT_EQ(Doc().pathName, project);  // cancelled: the project stays open
    ModalAnswer save([&](QWidget* modal) { ChooseFile(modal, project); });
    ASSERT_TRUE(app->Dispatch(cmd::kSaveProject));
    EXPECT_FALSE(Doc().modified);
  }
}

TEST_F(ProjectFlowTest, APictureThatCannotBeReadIsNamedAndTheProjectStaysAsItWas) {
  ASSERT_TRUE(app->LoadPictureFile(WritePicture("good.png", 80, 60)));
  ImageRef before = Doc().initialPicture;
  std::string bad = folder.File("bad.jpg");
  std::ofstream(bad) << "\xFF\xD8 truncated";
  QString text;
  ModalScript script({[&](QWidget* modal) { ChooseFile(modal, bad); },
                      [&](QWidget* modal) {
                        text = MessageText(modal);
                        PressMessageButton(modal, kResultOk);
                      }});
  ASSERT_TRUE(app->Dispatch(cmd::kLoadPicture));
  EXPECT_EQ(script.Answered(), 2u);
  EXPECT_TRUE(text.contains("bad.jpg")) << text.toStdString();
  EXPECT_EQ(Doc().initialPicture, before);
  EXPECT_EQ(Doc().pictureFileName, folder.File("good.png"));
}

TEST_F(ProjectFlowTest, CancellingTheSaveQuestionDropsTheNewPicture) {
  ASSERT_TRUE(app->LoadPictureFile(WritePicture("first.png", 90, 70)));
  CreatePattern();
  ImageRef picture = Doc().initialPicture;
  std::string second = WritePicture("second.png", 50, 40);
  QString question;
  ModalScript script({[&](QWidget* modal) { ChooseFile(modal, second); },
                      [&](QWidget* modal) {
                        question = MessageText(modal);
                        PressMessageButton(modal, kResultCancel);
                      }});
  ASSERT_TRUE(app->Dispatch(cmd::kLoadPicture));
  EXPECT_EQ(question, "Save changes to Untitled?");
  EXPECT_EQ(Doc().initialPicture, picture);
  EXPECT_TRUE(Doc().HasPattern());
  EXPECT_TRUE(Doc().modified);
}

TEST_F(ProjectFlowTest, ClosingAsksAboutUnsavedWorkAndYesSavesFirst) {
  ASSERT_TRUE(app->LoadPictureFile(WritePicture("p.png", 60, 40)));
  CreatePattern();
  ModalScript cancel({[](QWidget* modal) { PressMessageButton(modal, kResultCancel); }});
  EXPECT_FALSE(Frame().close());
  EXPECT_TRUE(Frame().isVisible());
  std::string project = folder.File("kept.mop");
  ModalScript yes({[](QWidget* modal) { PressMessageButton(modal, kResultYes); },
                   [&](QWidget* modal) { ChooseFile(modal, project); }});
  EXPECT_TRUE(Frame().close());
  EXPECT_TRUE(std::filesystem::exists(project));
}

TEST_F(ProjectFlowTest, PicturesPatternViewAndKeyAreSavedAsGraphicFiles) {
  ASSERT_TRUE(app->LoadPictureFile(WritePicture("p.png", 120, 80)));
  CreatePattern();
  std::filesystem::create_directory(folder.Path() / "out");
  auto saveAs = [&](CommandId id, const std::string& name) {
    std::string path = (folder.Path() / "out" / name).string();
    ModalAnswer choose([&](QWidget* modal) { ChooseFile(modal, path); });
    EXPECT_TRUE(app->Dispatch(id));
    PictureLoad load = LoadPictureFile(QString::fromStdString(path));
    EXPECT_TRUE(load.image) << name << ": " << load.error;
    return load.image;
  };
  ImageRef converted = saveAs(cmd::kSaveConvertedAs, "converted.png");
  ASSERT_TRUE(converted);
  EXPECT_TRUE(SamePixels(*converted, *Doc().convertedPicture));
  EXPECT_EQ(app->Environment().app.convertedFolder, (folder.Path() / "out").string());

  // The patterns folder is where the next pattern dialog starts.
  std::string patternsBefore = app->Environment().app.patternsFolder;
  ImageRef pattern = saveAs(cmd::kSavePatternAs, "pattern.png");
  EXPECT_EQ(ReadSettingText(app->ConvertIni(), Setting::kConvertSaveDir), patternsBefore);
  ASSERT_TRUE(pattern);
  EXPECT_EQ(pattern->Width(), Doc().patternImage->Width());

  // The visible part of the view as shown: at actual size the window crops it.
  ASSERT_TRUE(app->Dispatch(cmd::kViewPaintingPattern));
  ASSERT_TRUE(app->Dispatch(cmd::kActualSize));
  ImageRef view = saveAs(cmd::kSaveCurrentView, "view.png");
  ASSERT_TRUE(view);
  QSize window = Frame().View()->viewport()->size();
  EXPECT_EQ(view->Width(), std::min(window.width(), Doc().patternImage->Width()));
  EXPECT_EQ(view->Height(), std::min(window.height(), Doc().patternImage->Height()));

  ImageRef key = saveAs(cmd::kSaveColorKey, "key.png");
  ASSERT_TRUE(key);
  EXPECT_GT(key->Height(), key->Width() / 4);
  // The project itself is not changed by any of these.
  EXPECT_EQ(Doc().viewMode, kViewPattern);
}

TEST_F(ProjectFlowTest, DroppedPicturesAndProjectsAreOpened) {
  auto drop = [&](const std::string& path, const QString& extra = {}) {
    QMimeData data;
    QList<QUrl> urls{QUrl::fromLocalFile(QString::fromStdString(path))};
    if (!extra.isEmpty()) urls.append(QUrl(extra));
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent event(QPointF(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &event);
    return event.isAccepted();
  };
  std::string picture = WritePicture("dropped.png", 70, 50);
  // Only a single local file is taken.
  EXPECT_FALSE(drop(picture, QString::fromStdString(picture)));
  EXPECT_FALSE(drop(picture, QStringLiteral("https://example.org/a.png")));
  EXPECT_FALSE(Doc().initialPicture);
  ASSERT_TRUE(drop(picture));
  ASSERT_TRUE(Doc().initialPicture);
  EXPECT_EQ(Doc().pictureFileName, picture);
  CreatePattern();
  std::string project = folder.File("dropped.mop");
  ASSERT_TRUE(app->SaveTo(project));
  ASSERT_TRUE(app->Dispatch(cmd::kNewProject));
  ASSERT_TRUE(drop(project));
  EXPECT_TRUE(Doc().HasPattern());
  EXPECT_EQ(Doc().pathName, project);
}

TEST_F(ProjectFlowTest, SavingThePictureWhileEditingSavesTheWorkingCopy) {
  ASSERT_TRUE(app->LoadPictureFile(WritePicture("p.png", 64, 48)));
  ASSERT_TRUE(Doc().pictureEditing);
  Doc().ApplyPictureEdit(MakeSolid(30, 20, 9, 99, 199));
  std::string path = folder.File("edited.bmp");
  ModalAnswer choose([&](QWidget* modal) { ChooseFile(modal, path); });
  ASSERT_TRUE(app->Dispatch(cmd::kSavePictureAs));
  PictureLoad load = LoadPictureFile(QString::fromStdString(path));
  ASSERT_TRUE(load.image) << load.error;
  EXPECT_TRUE(SamePixels(*load.image, *Doc().workingPicture));
}

TEST_F(ProjectFlowTest, ColourReductionsOfTheEditedPictureTakeTheirDialogsAnswers) {
  ASSERT_TRUE(app->LoadPictureFile(WritePicture("p.png", 64, 48)));
  ASSERT_TRUE(Doc().pictureEditing);
  {
    ModalAnswer levels([](QWidget* modal) {
      auto* dialog = qobject_cast<PosterizeDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->Levels(), (PosterizeLevels{4, 4, 4}));
      for (QSpinBox* box : {dialog->Red(), dialog->Green(), dialog->Blue()}) box->setValue(1);
      dialog->accept();
    });
    ASSERT_TRUE(app->Dispatch(cmd::kReduceColorLevels));
  }
  // One level per channel leaves 0 and 255 only.
  const ImageBuffer& posterized = *Doc().workingPicture;
  for (int32_t y = 0; y < posterized.Height(); ++y) {
    for (int32_t x = 0; x < 3 * posterized.Width(); ++x) {
      uint8_t value = posterized.Row(y)[x];
      ASSERT_TRUE(value == 0 || value == 255) << int(value);
    }
  }
  EXPECT_TRUE(app->Commands().IsEnabled(cmd::kUndo));
  ASSERT_TRUE(app->Dispatch(cmd::kUndo));
  {
    ModalAnswer colors([](QWidget* modal) {
      auto* dialog = qobject_cast<ReduceColorsDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      dialog->ColorsBox()->setValue(3);
      dialog->accept();
    });
    ASSERT_TRUE(app->Dispatch(cmd::kReduceColorsOptimized));
  }
  std::set<uint32_t> distinct;
  const ImageBuffer& reduced = *Doc().workingPicture;
  for (int32_t y = 0; y < reduced.Height(); ++y) {
    const uint8_t* row = reduced.Row(y);
    for (int32_t x = 0; x < reduced.Width(); ++x) {
      distinct.insert(row[3 * x] | (row[3 * x + 1] << 8) | (row[3 * x + 2] << 16));
    }
  }
  EXPECT_LE(distinct.size(), 3u);
  EXPECT_EQ(app->Settings().ReadInt("REDUCECOLORS", "NUMCOLORS", 0), 3);
}

}  // namespace
}  // namespace tintara::test

namespace tintara::test {
namespace {

TEST_F(ProjectFlowTest, ANewProjectIsProposedInTheDocumentsFolderUnderItsPicturesName) {
  std::string documents = (Home() / "Documents" / "Tintara").string();
  EXPECT_EQ(app->Environment().app.projectsFolder, documents);
  EXPECT_TRUE(std::filesystem::is_directory(documents));
  EXPECT_FALSE(std::filesystem::exists(ProgramDir() / "Projects"));

  LoadThroughDialog(WritePicture("garden cat.png", 60, 40));
  QString proposed;
  {
    ModalAnswer save([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      proposed = dialog->selectedFiles().value(0);
      static_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_TRUE(app->Dispatch(cmd::kSaveProjectAs));
  }
  EXPECT_EQ(proposed.toStdString(), documents + "/garden cat.mop");
  EXPECT_TRUE(std::filesystem::exists(documents + "/garden cat.mop"));
}

}  // namespace
}  // namespace tintara::test
