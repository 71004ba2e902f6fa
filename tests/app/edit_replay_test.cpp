// One series of edits, rotate, crop, tune and create, done in the window and
// replayed by tintara-cli run with the same answers: both end with the same
// picture and the same pattern.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "editing/picture_panel.h"
#include "editing/picture_transforms.h"
#include "editing/widgets/panel_preview.h"
#include "editing/widgets/picture_dialogs.h"
#include "editing/widgets/picture_panel_dialog.h"
#include "storage/project_file.h"
#include "tests/app/app_fixture.h"
#include "tests/support/project_reading.h"

namespace tintara::test {
namespace {

class EditReplayTest : public ::testing::Test, public AppFixture {};

void PressOk(QWidget* modal) {
  auto* buttons = modal->findChild<QDialogButtonBox*>();
  ASSERT_NE(buttons, nullptr);
  QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

TEST_F(EditReplayTest, TheWindowAndTheCommandLineToolMakeTheSamePatternFromTheSameEdits) {
  ASSERT_EQ(Start(), StartResult::kRunning);
  const std::string photo = WritePicture("edits.png", 90, 60);
  ASSERT_TRUE(app->LoadPictureFile(photo));
  if (!Doc().pictureEditing) Choose("&Edit", "Start picture &editing");
  ImageRef original = ImageBuffer::Copy(*Doc().workingPicture);

  ModalAnswer rotate([](QWidget* modal) {
    auto* dialog = qobject_cast<RotatePictureDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->AngleField()->setText(QStringLiteral("90"));
    dialog->LeftButton()->click();
    PressOk(dialog);
  });
  Choose("&Edit", "By Degree...");
  ASSERT_TRUE(SamePixels(*Doc().workingPicture, *RotateLeft(*original)));

  BoxRect cropped;
  ModalAnswer crop([&cropped](QWidget* modal) {
    auto* panel = qobject_cast<PicturePanelDialog*>(modal);
    ASSERT_NE(panel, nullptr);
    QTest::mouseClick(panel->Button("&Crop"), Qt::LeftButton);
    PanelPreview* preview = panel->Preview();
    const QRect at = preview->ImageRect();
    const QPoint from = at.topLeft() + QPoint(at.width() / 5, at.height() / 4);
    const QPoint to = at.topLeft() + QPoint(at.width() * 4 / 5, at.height() * 3 / 4);
    cropped = PreviewRectToPicture({from.x() - at.left(), from.y() - at.top(), to.x() - at.left(),
                                    to.y() - at.top()},
                                   at.width(), at.height(), 60, 90);
    QTest::mousePress(preview, Qt::LeftButton, {}, from);
    QTest::mouseMove(preview, to);
    QTest::mouseRelease(preview, Qt::LeftButton, {}, to);
    QTest::mouseClick(panel->Button("&Next >"), Qt::LeftButton);
  });
  Choose("&Edit", "Ad&just Image...");
  ASSERT_FALSE(cropped.IsEmpty());
  ASSERT_EQ(Doc().workingPicture->Width(), cropped.width);

  ModalAnswer tune([](QWidget* modal) {
    auto* dialog = qobject_cast<SmartTuneDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->Methods()->setCurrentIndex(dialog->Methods()->findText("Light Shadow"));
    PressOk(dialog);
  });
  Choose("&Edit", "Smart Tune...");
  Choose("&Edit", "&Finish picture editing");
  Choose("&Pattern", "&Create drawing pattern");
  ASSERT_TRUE(Doc().HasPattern());

  // The same answers for the command-line tool.
  QJsonObject answers{
      {"Rotate picture", QJsonArray{QJsonObject{{"angle", 90}, {"direction", "left"}}}},
      {"Adjust Image",
       QJsonArray{QJsonArray{
           QJsonObject{{"crop", QJsonArray{cropped.x, cropped.y, cropped.width, cropped.height}}},
           "Next >"}}},
      {"Smart Tune", QJsonArray{"Light Shadow"}}};
  const std::string answersPath = folder.File("answers.json");
  QFile answersFile(QString::fromStdString(answersPath));
  ASSERT_TRUE(answersFile.open(QIODevice::WriteOnly));
  answersFile.write(QJsonDocument(answers).toJson());
  answersFile.close();
  const std::string out = folder.File("edits.mop");
  QProcess cli;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove("QT_QPA_PLATFORM");
  cli.setProcessEnvironment(environment);
  cli.start(QString::fromStdString((ProgramFolder() / "tintara-cli").string()),
            {"run", "--settings", Ini(), "--picture", QString::fromStdString(photo), "-o",
             QString::fromStdString(out), "--answers", QString::fromStdString(answersPath),
             "Start picture editing", "Set angle of rotation", "Adjust Image",
             "Adjust colors automatically", "Finish picture editing", "Create drawing pattern"});
  ASSERT_TRUE(cli.waitForFinished(120000));
  ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();

  ProjectData replayed = ReadProjectAt(out);
  ASSERT_TRUE(replayed.initialPicture && replayed.patternImage);
  EXPECT_TRUE(SamePixels(*replayed.initialPicture, *Doc().initialPicture));
  EXPECT_TRUE(SamePixels(*replayed.convertedPicture, *Doc().convertedPicture));
  EXPECT_TRUE(SamePixels(*replayed.patternImage, *Doc().patternImage));
  EXPECT_EQ(replayed.initialPicture->Width(), cropped.width);
  EXPECT_EQ(replayed.initialPicture->Height(), cropped.height);
}

}  // namespace
}  // namespace tintara::test
