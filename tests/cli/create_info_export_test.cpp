#include <QJsonArray>
#include <filesystem>
#include <fstream>
#include <set>
#include <vector>

#include "colors/brand_palette.h"
#include "tests/cli/cli_runner.h"

namespace tintara {
namespace {

using test::CliResult;
using test::CliTest;

QJsonArray Array(const QJsonValue& value) { return value.toArray(); }

void ExpectPicture(const QJsonValue& value, int width, int height, int format,
                   const char* what) {
  SCOPED_TRACE(what);
  QJsonObject picture = value.toObject();
  ASSERT_FALSE(value.isNull());
  EXPECT_EQ(picture["width"].toInt(), width);
  EXPECT_EQ(picture["height"].toInt(), height);
  EXPECT_EQ(picture["format"].toInt(), format);
  EXPECT_EQ(picture["dpi"].toArray().size(), 2);
}

TEST_F(CliTest, CreateWritesAProjectThatInfoDescribesCompletely) {
  std::string project = CreateProject();
  QJsonObject info = Info(project);

  EXPECT_EQ(info["signature"].toString(), "DIDUZ20");
  ExpectPicture(info["initialPicture"], 120, 80, 16, "initial");
  // The project file keeps no resolution: the picture's 300 dpi is not read back.
  EXPECT_EQ(Array(info["initialPicture"].toObject()["dpi"]), (QJsonArray{0, 0}));
  // Custom A4 at 150 dpi: 1240 × 1753 dots, 310 × 438 pattern pixels, fitted to 3:2.
  ExpectPicture(info["convertedPicture"], 310, 206, 16, "converted");
  ExpectPicture(info["indexImage"], 310, 206, 8, "index");
  ExpectPicture(info["patternImage"], 310, 206, 4, "pattern");
  EXPECT_EQ(info["pictureOrigin"].toInt(), 0);
  EXPECT_EQ(info["viewMode"].toInt(), 2);  // the pattern just made is shown
  EXPECT_EQ(info["pictureFileName"].toString(), Q("photo.png"));

  QJsonObject params = info["params"].toObject();
  EXPECT_EQ(params["neededNumColors"].toInt(), 8);
  EXPECT_EQ(params["patternType"].toInt(), 5);
  EXPECT_EQ(params["borderColor"].toInt(), 0x302010);  // RRGGBB given; red in the low byte
  EXPECT_TRUE(params["brandFile"].toString().endsWith("GoldenHeavyBody.dat"));
  EXPECT_EQ(Array(params["auxColor"]), (QJsonArray{255, 232, 196}));
  EXPECT_EQ(params["paletteReady"].toInt(), 1);
  QJsonArray palette = params["workingPalette"].toArray();
  ASSERT_GE(palette.size(), 2);
  ASSERT_LE(palette.size(), 8);
  EXPECT_GE(params["currentColor"].toInt(), 0);
  EXPECT_LT(params["currentColor"].toInt(), palette.size());
  EXPECT_GE(params["currentBrandColor"].toInt(), 0);

  auto brand = BrandPalette::Load((test::ProgramFolder() / "GoldenHeavyBody.dat").string());
  ASSERT_TRUE(brand.has_value());
  ProjectData data = Read(project);
  for (int i = 0; i < palette.size(); ++i) {
    SCOPED_TRACE(i);
    QJsonObject colour = palette[i].toObject();
    const CFlossColor& stored = data.params.workingPalette[size_t(i)];
    EXPECT_EQ(colour["brandName"].toString().toStdString(), brand->BrandName());
    EXPECT_EQ(colour["sourceFile"].toString().toStdString(), stored.sourceFile);
    EXPECT_EQ(colour["colorName"].toString().toStdString(), stored.colorName);
    EXPECT_FALSE(colour["colorName"].toString().isEmpty());
    EXPECT_EQ(colour["catalogNumber"].toInt(), stored.catalogNumber);
    EXPECT_EQ(colour["paletteIndex"].toInt(), stored.paletteIndex);
    EXPECT_EQ(colour["number"].toInt(), i + 1);
    EXPECT_EQ(Array(colour["rgb"]), (QJsonArray{stored.red, stored.green, stored.blue}));
  }
  EXPECT_GE(info["usedColors"].toInt(), 2);
  EXPECT_LE(info["usedColors"].toInt(), palette.size());
  EXPECT_EQ(Array(info["usedBrands"]), QJsonArray{QString::fromStdString(brand->BrandName())});
  // The used positions, ascending, are the values the index image holds.
  std::set<int> inIndex;
  for (int32_t y = 0; y < data.indexImage->Height(); ++y) {
    const uint8_t* row = data.indexImage->Row(y);
    inIndex.insert(row, row + data.indexImage->Width());
  }
  QJsonArray expected;
  for (int position : inIndex) expected.append(position);
  EXPECT_EQ(Array(info["usedColorList"]), expected);
  EXPECT_EQ(Array(info["usedColorList"]).size(), info["usedColors"].toInt());
}

TEST_F(CliTest, NamesThatAreNotUtf8KeepTheirBytes) {
  WritePicture("photo.png", 60, 40);
  std::filesystem::rename(Path("photo.png"), Path("ph\xe9to.png"));
  // Arguments reach the tool as bytes; a shell hands it the Latin-1 "é" (0xE9).
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start("/bin/sh", QStringList{"-c", "exec \"$0\" create \"$1/ph$(printf '\\351')to.png\" "
                                  "-o \"$1/caf$(printf '\\351').mop\" "
                                  "--pattern-png \"$1/p$(printf '\\351').png\" "
                                  "--settings \"$2\" --colors 4",
                            QString::fromStdString((test::ProgramFolder() / "tintara-cli").string()),
                            QString::fromStdString(dir.Path().string()), Q("settings.ini")});
  ASSERT_TRUE(process.waitForFinished(120000));
  ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  std::vector<std::string> made;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    const std::string name = entry.path().filename().string();
    if (name.find('\xe9') != std::string::npos) made.push_back(name);
  }
  std::sort(made.begin(), made.end());
  EXPECT_EQ(made, (std::vector<std::string>{"caf\xe9.mop", "ph\xe9to.png", "p\xe9.png"}));
}

TEST_F(CliTest, RunOnlyOptionsAreNotWrittenBackButTheProjectIsRecordedWhenAsked) {
  photo = WritePicture("photo.png", 120, 80);
  CliResult result = Run({"create", Q("photo.png"), "-o", Q("project.mop"), "--save-settings",
                          "--colors", "8", "--brand", "GoldenHeavyBody", "--type", "5",
                          "--border-color", "102030"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  std::string project = Path("project.mop");
  std::string settings = SettingsText();
  for (const char* written : {"NEEDEDNUMCOLORS=8", "TESSELMETHOD=5", "BORDERCOLOR", "USECURPRN",
                              "GoldenHeavyBody"}) {
    EXPECT_EQ(settings.find(written), std::string::npos) << written << "\n" << settings;
  }
  EXPECT_NE(settings.find("PRNRES=0"), std::string::npos);
  EXPECT_NE(settings.find("LASTPROJECT=" + project), std::string::npos) << settings;
  EXPECT_NE(settings.find("LAST0=" + project), std::string::npos) << settings;
}

TEST_F(CliTest, WithoutSettingsFileTheUsersStoreIsUsed) {
  WritePicture("photo.png", 60, 40);
  const QString storePath = Q("config/TAVEN Imaging Tintara/Tintara 2.0.conf");
  std::filesystem::create_directories(Path("config/TAVEN Imaging Tintara"));
  std::ofstream(storePath.toStdString()) << "[SETTINGS]\nNEEDEDNUMCOLORS=6\n";
  CliResult result = Run({"create", Q("photo.png"), "-o", Q("mine.mop"), "--dpi", "150"}, false);
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  EXPECT_EQ(Info(Path("mine.mop"))["params"].toObject()["neededNumColors"].toInt(), 6);
  QFile store(storePath);
  ASSERT_TRUE(store.open(QIODevice::ReadOnly));
  EXPECT_EQ(store.readAll(), QByteArray("[SETTINGS]\nNEEDEDNUMCOLORS=6\n"));
  store.close();

  result = Run({"create", Q("photo.png"), "-o", Q("kept.mop"), "--dpi", "150", "--save-settings"},
               false);
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  ASSERT_TRUE(store.open(QIODevice::ReadOnly));
  EXPECT_TRUE(store.readAll().contains(("LASTPROJECT=" + Path("kept.mop")).c_str()));
}

TEST_F(CliTest, ExportWritesLosslessPngsTheRightWayUp) {
  std::string project = CreateProject();
  ProjectData data = Read(project);
  CliResult result = Run({"export", QString::fromStdString(project), "--initial", Q("i.png"),
                          "--converted", Q("c.png"), "--pattern", Q("p.png"), "--index", Q("x.png")});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();

  QImage initial(Q("i.png"));
  ASSERT_FALSE(initial.isNull());
  EXPECT_FALSE(initial.format() == QImage::Format_Indexed8);
  EXPECT_EQ(initial.convertToFormat(QImage::Format_RGB32), photo);  // every pixel, top row first

  // Top row of each file = the picture's last (top) row in memory.
  auto expectTopFirst = [](const QImage& file, const ImageBuffer& picture, const char* what) {
    SCOPED_TRACE(what);
    ASSERT_EQ(file.width(), picture.Width());
    ASSERT_EQ(file.height(), picture.Height());
    for (int y : {0, picture.Height() / 2, picture.Height() - 1}) {
      const uint8_t* row = picture.Row(picture.Height() - 1 - y);
      for (int x = 0; x < picture.Width(); ++x) {
        if (picture.Kind() == kKindRgb24) {
          ASSERT_EQ(file.pixel(x, y), qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x])) << x << "," << y;
        } else if (picture.Kind() == kKind8Bit) {
          ASSERT_EQ(file.pixelIndex(x, y), row[x]) << x << "," << y;
        } else {
          ASSERT_EQ(qRed(file.pixel(x, y)), row[x]) << x << "," << y;  // grey level = index
        }
      }
    }
  };
  QImage converted(Q("c.png"));
  expectTopFirst(converted, *data.convertedPicture, "converted");

  QImage pattern(Q("p.png"));
  ASSERT_EQ(pattern.format(), QImage::Format_Indexed8);
  ASSERT_EQ(pattern.colorCount(), 256);
  for (int i = 0; i < 256; ++i) {
    QRgb expected = i == 32 ? qRgb(0x10, 0x20, 0x30) : qRgb(i, i, i);
    EXPECT_EQ(pattern.color(i), expected) << i;
  }
  expectTopFirst(pattern, *data.patternImage, "pattern");

  QImage index(Q("x.png"));
  ASSERT_TRUE(index.isGrayscale());
  expectTopFirst(index, *data.indexImage, "index");
}

TEST_F(CliTest, APatternWhosePaletteIsAllGreyStaysAPalettePng) {
  WritePicture("photo.png", 50, 40);
  // Border colour (32, 32, 32) makes the pattern palette an exact grey ramp.
  ASSERT_EQ(Run({"create", Q("photo.png"), "-o", Q("grey.mop"), "--border-color", "202020",
                 "--pattern-png", Q("p.png")}).exitCode, 0);
  QFile file(Q("p.png"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QByteArray bytes = file.readAll();
  ASSERT_GT(bytes.size(), 26);
  EXPECT_EQ(uint8_t(bytes[25]), 3);  // colour type in the header: palette
  EXPECT_TRUE(bytes.contains("PLTE"));
}

TEST_F(CliTest, CreateAlsoWritesThePicturesAndPages) {
  WritePicture("photo.png", 90, 120);
  CliResult result = Run({"create", Q("photo.png"), "-o", Q("p.mop"), "--pages", "2", "--dpi", "150",
                          "--paper", "letter", "--landscape", "--pattern-png", Q("pattern.png"),
                          "--converted-png", Q("converted.png"), "--key-pdf", Q("key.pdf"), "--pdf",
                          Q("pattern.pdf")});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  // Letter landscape at 150 dpi, 2 × 2 pages: 3300 × 2550 dots, 825 × 637 pixels, fitted to 3:4.
  QImage pattern(Q("pattern.png"));
  EXPECT_EQ(pattern.size(), QSize(477, 637));
  EXPECT_EQ(QImage(Q("converted.png")).size(), QSize(477, 637));
  EXPECT_EQ(test::PdfPageCount(Path("pattern.pdf")), 4);
  EXPECT_EQ(test::PdfPageCount(Path("key.pdf")), 1);

  ASSERT_EQ(Run({"print", Q("p.mop"), "--what", "pattern", "--pages-per-side", "3", "-o",
                 Q("nine.pdf")}).exitCode, 0);
  EXPECT_EQ(test::PdfPageCount(Path("nine.pdf")), 9);
  ASSERT_EQ(Run({"print", Q("p.mop"), "--what", "initial", "-o", Q("one.pdf")}).exitCode, 0);
  EXPECT_EQ(test::PdfPageCount(Path("one.pdf")), 1);
  ASSERT_EQ(Run({"print", Q("p.mop"), "--what", "key", "-o", Q("key2.pdf")}).exitCode, 0);
  EXPECT_EQ(test::PdfPageCount(Path("key2.pdf")), 1);
}

TEST_F(CliTest, CreateTakesTheLargerPapers) {
  WritePicture("photo.png", 90, 120);
  QSize a4;
  for (const char* paper : {"a4", "a2", "a3", "tabloid"}) {
    const QString png = Q(std::string(paper) + ".png");
    CliResult result = Run({"create", Q("photo.png"), "-o", Q(std::string(paper) + ".mop"),
                            "--dpi", "150", "--paper", paper, "--pattern-png", png});
    ASSERT_EQ(result.exitCode, 0) << paper << ": " << result.err.toStdString();
    const QSize size = QImage(png).size();
    if (a4.isEmpty()) a4 = size;
    // A2 is twice A4 each way.
    if (std::string(paper) == "a2") EXPECT_NEAR(size.height(), 2 * a4.height(), 2);
    if (std::string(paper) != "a4") EXPECT_GT(size.height(), a4.height()) << paper;
  }
  CliResult bad = Run({"create", Q("photo.png"), "-o", Q("b5.mop"), "--paper", "b5"});
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_TRUE(bad.err.contains("a3, a2 or tabloid")) << bad.err.toStdString();
}

}  // namespace
}  // namespace tintara
