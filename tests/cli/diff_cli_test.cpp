#include <gtest/gtest.h>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegion>

#include "cli/cli_run.h"
#include "core/edit/geometry.h"
#include "core/model/file_io.h"
#include "core/model/map_access.h"
#include "render/cell_outlines.h"
#include "support/map_builder.h"
#include "support/tileset_builder.h"

namespace d7 {
namespace {

using test::CliRun;
using test::fileBytes;

// Game directory A with the test graphics, and B a copy of it.
class DiffCli : public ::testing::Test {
  protected:
    void SetUp() override {
        test::writeMapSet(a.path(), 51, "PL8");
        test::writeTestGraphics(a / "PL8");
        fs::copy(a.path(), b.path(), fs::copy_options::recursive);
    }
    // Sets plane p of cell (x, y) of map n in B's map store, returning the old value.
    int setCell(int n, int p, int x, int y, std::uint8_t value) {
        Bytes store = fileBytes(b / "k7_maps.dat");
        std::uint8_t& byte = store[blockOffset(n) + std::size_t(p) * kCellCount +
                                   std::size_t(y) * kGrid + std::size_t(x)];
        const int old = byte;
        byte = value;
        test::writeBytes(b / "k7_maps.dat", store);
        return old;
    }
    CliRun diff(std::vector<std::string> options = {}) {
        std::vector<std::string> args{"diff", a.path().string(), b.path().string()};
        args.insert(args.end(), options.begin(), options.end());
        return test::runCli(args);
    }

    test::TempDir a, b, out;
};

TEST_F(DiffCli, ExitStatusesLikeDiff) {
    const CliRun same = diff();
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_EQ(same.out, "");
    EXPECT_EQ(test::runCli({"diff", a.path().string(), a.path().string()}).status, 0);

    // A copy written by "save --all" holds the same set.
    ASSERT_EQ(test::runCli({"save", a.path().string(), out.path().string(), "--all"}).status, 0);
    EXPECT_EQ(test::runCli({"diff", a.path().string(), out.path().string()}).status, 0);

    setCell(9, 4, 1, 2, 77);
    EXPECT_EQ(diff().status, 1);
    EXPECT_EQ(diff({"--map", "8"}).status, 0);  // the other maps alone are equal
    EXPECT_EQ(diff({"--map", "9"}).status, 1);

    EXPECT_EQ(diff({"--map", "60"}).status, 2);
    EXPECT_EQ(diff({"--picture", (out / "x.png").string()}).status, 2);  // needs --map
    EXPECT_EQ(test::runCli({"diff", a.path().string()}).status, 2);
}

TEST_F(DiffCli, ADamagedSetIsRefusedWithTheLoadMessage) {
    Bytes store = fileBytes(b / "k7_maps.dat");
    store.pop_back();
    test::writeBytes(b / "k7_maps.dat", store);
    const fs::path picture = out / "p.png";
    const CliRun r = diff({"--map", "3", "--picture", picture.string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("k7_maps.dat: map store is 1977659 bytes; expected 1977660"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(picture));

    const CliRun missing = test::runCli({"diff", (a / "nowhere").string(), a.path().string()});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("nowhere"), std::string::npos);
}

TEST_F(DiffCli, TextAndJsonListTheSameChanges) {
    const int old0 = setCell(3, 0, 5, 9, 4);
    const int old2 = setCell(3, 2, 5, 9, 23);
    // Names cross the command line in UTF-8 and are stored in Windows-1252;
    // text and JSON show them in UTF-8.
    ASSERT_EQ(test::runCli({"rename-domain", b.path().string(), "3", "3", "Ashf\xC3\xB6rd",
                            b.path().string()})
                  .status,
              0);
    const CliRun text = diff();
    ASSERT_EQ(text.status, 1) << text.err;
    EXPECT_EQ(text.out, "map 3 \"Map 3\": 1 cell changed\n  5,9  M0 " + std::to_string(old0) +
                            "->4  M2 " + std::to_string(old2) +
                            "->23\n  domain 3 name \"County 3.3\" -> \"Ashf\xC3\xB6rd\"\n");

    const CliRun json = diff({"--json"});
    ASSERT_EQ(json.status, 1);
    QJsonParseError error;
    const QJsonObject doc =
        QJsonDocument::fromJson(QByteArray::fromStdString(json.out), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << json.out;
    EXPECT_FALSE(doc["identical"].toBool(true));
    EXPECT_TRUE(doc["sets"].toArray().isEmpty());
    const QJsonArray maps = doc["maps"].toArray();
    ASSERT_EQ(maps.size(), 1);
    const QJsonObject map = maps[0].toObject();
    EXPECT_EQ(map["map"].toInt(), 3);
    EXPECT_EQ(map["name"].toString(), "Map 3");
    const QJsonObject cell = map["cells"].toArray()[0].toObject();
    EXPECT_EQ(cell["x"].toInt(), 5);
    EXPECT_EQ(cell["y"].toInt(), 9);
    const QJsonObject planes = cell["planes"].toObject();
    EXPECT_EQ(planes.keys(), QStringList({"M0", "M2"}));
    EXPECT_EQ(planes["M2"].toArray(), QJsonArray({old2, 23}));
    EXPECT_TRUE(map["aux"].toObject().isEmpty());
    const QJsonObject name = map["names"].toArray()[0].toObject();
    EXPECT_EQ(name["domain"].toInt(), 3);
    EXPECT_EQ(name["new"].toString(), QString::fromUtf8("Ashförd"));
}

TEST_F(DiffCli, ThePictureOutlinesExactlyTheChangedCells) {
    const std::vector<Point> changed = {{5, 6}, {30, 30}, {31, 30}};
    for (const Point& c : changed) setCell(3, 2, c.x, c.y, 200);
    const fs::path plainPath = out / "plain.png", markedPath = out / "marked.png";
    ASSERT_EQ(test::runCli({"render", b.path().string(), "3", plainPath.string()}).status, 0);
    const CliRun r = diff({"--map", "3", "--picture", markedPath.string()});
    ASSERT_EQ(r.status, 1) << r.err;
    const QImage plain(QString::fromStdString(plainPath.string()));
    const QImage marked(QString::fromStdString(markedPath.string()));
    ASSERT_EQ(marked.size(), plain.size());

    // Every pixel that differs from render's picture is outline colour and lies
    // on the rim of a changed cell's diamond.
    QRegion rims;
    for (const Point& c : changed)
        rims += render::cellDiamond(c.x, c.y, 1).boundingRect().adjusted(-1, -1, 1, 1);
    int outlined = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) {
            if (plain.pixel(x, y) == marked.pixel(x, y)) continue;
            ASSERT_TRUE(rims.contains(QPoint(x, y))) << x << "," << y;
            ASSERT_EQ(marked.pixel(x, y), render::kChangeOutlineColour);
            ++outlined;
        }
    EXPECT_GT(outlined, 3 * 100);
    // Each changed cell's four corners are drawn, its middle is not.
    for (const Point& c : changed) {
        const QPolygon diamond = render::cellDiamond(c.x, c.y, 1);
        for (const QPoint& corner : diamond)
            EXPECT_EQ(marked.pixel(corner), render::kChangeOutlineColour) << c.x << "," << c.y;
        const QPoint middle = diamond.boundingRect().center();
        EXPECT_EQ(marked.pixel(middle), plain.pixel(middle));
    }
}

}  // namespace
}  // namespace d7
