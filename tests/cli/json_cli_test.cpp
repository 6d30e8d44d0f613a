// Every command that prints JSON prints valid JSON, read back with a parser.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/cli_run.h"
#include "core/model/language_file.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "core/model/map_set_maintenance.h"
#include "core/model/windows1252.h"
#include "support/map_builder.h"
#include "support/test_paths.h"

namespace d7 {
namespace {

using test::runCli;

// The document the command printed; a parse error fails the test.
QJsonDocument parsed(const std::vector<std::string>& args) {
    const test::CliRun r = runCli(args);
    EXPECT_LE(r.status, 1) << r.err;
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(r.out), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError)
        << args[0] << " " << args[2] << ": " << error.errorString().toStdString() << " at "
        << error.offset;
    return doc;
}

TEST(JsonCli, AnalyseAndPathOfEverySampleMapParse) {
    const std::string sample = D7_SAMPLE_DIR;
    for (int n = 0; n < kMapCount; ++n) {
        const std::string map = std::to_string(n);
        const QJsonObject analysis = parsed({"analyse", sample, map}).object();
        EXPECT_EQ(analysis["counties"].toArray().size(), kMaxDomain) << n;
        EXPECT_EQ(analysis["moveMatrix"].toArray().size(), kGrid) << n;
        const QJsonObject path =
            parsed({"path", sample, map, "5", "5", "40", "30", "--trace", "road"}).object();
        EXPECT_EQ(path["dist"].toArray().size(), kGrid) << n;
    }
}

TEST(JsonCli, DiffKeepsEveryNameWhateverItHolds) {
    test::TempDir a, b;
    test::writeMapSet(a.path(), 71, "pl8");
    std::string high;
    for (int c = 0x80; c <= 0xFF; ++c) high += char(c);
    std::string controls;
    for (int c = 1; c < 0x20; ++c) controls += char(c);
    controls += '\x7F';
    const std::vector<std::string> names = {"say \"hi\"", "back\\slash\\", controls,
                                            high.substr(0, 64), high.substr(64)};

    auto st = test::loadTestMapSet(a.path());
    setMapName(*st, names[0]);
    for (int k = 1; k < int(names.size()); ++k) setDomainName(*st, k, names[std::size_t(k)]);
    st->traderNames = {names[1], names[2]};
    writeNameEntry(st->langStream, 4, st->traderNames);
    st->namesChanged = true;
    st->extChanged.fill(true);
    saveMapSet(*st, b.path().string());

    const QJsonObject diff =
        parsed({"diff", a.path().string(), b.path().string(), "--json"}).object();
    std::vector<std::string> seen;
    const auto collect = [&seen](const QJsonArray& changes) {
        for (const QJsonValue& c : changes)
            if (c.toObject().contains("new"))
                seen.push_back(c.toObject()["new"].toString().toStdString());
    };
    for (const QJsonValue& m : diff["maps"].toArray()) {
        if (m.toObject()["map"].toInt() != 0) continue;
        EXPECT_EQ(m.toObject()["name"].toString().toStdString(), utf8FromWindows1252(names[0]));
        collect(m.toObject()["names"].toArray());
    }
    collect(diff["sets"].toArray());
    std::vector<std::string> expected;
    for (const std::string& name : names) expected.push_back(utf8FromWindows1252(name));
    expected.push_back(expected[1]);
    expected.push_back(expected[2]);
    EXPECT_EQ(seen, expected);
    // The five bytes the code page leaves undefined come out as U+0081 and so on.
    EXPECT_NE(seen[3].find("\xC2\x81"), std::string::npos);
}

}  // namespace
}  // namespace d7
