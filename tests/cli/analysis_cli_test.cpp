#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <stdexcept>

#include "cli/cli_run.h"
#include "cli/commands.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "support/map_builder.h"

namespace d7 {
namespace {

// Just enough JSON for the analysis output: objects, lists, integers, booleans.
struct Json {
    // An object's keys and values in order (two lists: a pair would need Json complete here).
    std::vector<std::string> memberKeys;
    std::vector<Json> memberValues;
    std::vector<Json> items;  // list
    long long number = 0;

    const std::vector<std::string>& keys() const { return memberKeys; }
    const Json& operator[](const std::string& key) const {
        for (std::size_t m = 0; m < memberKeys.size(); ++m)
            if (memberKeys[m] == key) return memberValues[m];
        throw std::runtime_error("no key " + key);
    }
    const Json& operator[](std::size_t i) const { return items.at(i); }
    std::vector<long long> numbers() const {
        std::vector<long long> v;
        for (const Json& j : items) v.push_back(j.number);
        return v;
    }
};

class JsonParser {
  public:
    explicit JsonParser(const std::string& text) : s_(text) {}
    Json parseDocument() {
        Json j = parse();
        skip();
        if (i_ != s_.size()) throw std::runtime_error("text after the document");
        return j;
    }

  private:
    void skip() {
        while (i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_]))) ++i_;
    }
    void expect(char c) {
        skip();
        if (i_ >= s_.size() || s_[i_] != c) throw std::runtime_error(std::string("expected ") + c);
        ++i_;
    }
    bool take(char c) {
        skip();
        if (i_ < s_.size() && s_[i_] == c) return ++i_, true;
        return false;
    }
    Json parse() {
        Json j;
        if (take('{')) {
            if (take('}')) return j;
            do {
                expect('"');
                const std::size_t end = s_.find('"', i_);
                std::string key = s_.substr(i_, end - i_);
                i_ = end + 1;
                expect(':');
                j.memberKeys.push_back(key);
                j.memberValues.push_back(parse());
            } while (take(','));
            expect('}');
        } else if (take('[')) {
            if (take(']')) return j;
            do j.items.push_back(parse());
            while (take(','));
            expect(']');
        } else if (s_.compare(i_, 4, "true") == 0) {
            j.number = 1;
            i_ += 4;
        } else if (s_.compare(i_, 5, "false") == 0) {
            i_ += 5;
        } else {
            std::size_t used = 0;
            j.number = std::stoll(s_.substr(i_, 24), &used);
            i_ += used;
        }
        return j;
    }
    const std::string& s_;
    std::size_t i_ = 0;
};

using test::CliRun;

CliRun run(const std::vector<std::string>& args) {
    return test::runCli(args);
}

// A map set whose map 2 is one grass domain with a town (trader 2 in slot 1)
// at (10, 10), a road at (12, 12) and (20, 3), and a castle with starting
// position 1 at (30, 30).
class AnalysisCli : public ::testing::Test {
  protected:
    void SetUp() override {
        test::writeMapSet(game.path(), 11, "pl8");
        auto st = test::loadTestMapSet(game.path());
        auto put = [&](int x, int y, std::array<std::uint8_t, 6> planes) {
            for (int p = 0; p < 6; ++p) storeBlockByte(*st, planes[std::size_t(p)], x, y, p, 2);
        };
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x) put(x, y, {0, 0, 0, 0, 0, 1});
        for (std::uint8_t part = 0; part < 4; ++part) {
            put(10 + part % 2, 10 + part / 2,
                {0x40, 12, 0, part, std::uint8_t(part == 1 ? 2 : 0), 1});
            put(30 + part % 2, 30 + part / 2,
                {0x80, 0, 0, part, std::uint8_t(part == 1 ? 1 : 0), 1});
        }
        put(12, 12, {1, 8, 0, 0, 0, 1});
        put(20, 3, {1, 8, 0, 0, 0, 1});
        saveMapSet(*st, game.path().string());
    }

    Json runJson(std::vector<std::string> args) {
        CliRun r = run(std::move(args));
        EXPECT_EQ(r.status, 0) << r.err;
        return JsonParser(r.out).parseDocument();
    }

    test::TempDir game;
};

TEST_F(AnalysisCli, AnalysePrintsEveryTableUnderItsKey) {
    const Json j = runJson({"analyse", game.path().string(), "2"});
    EXPECT_EQ(j.keys(),
              (std::vector<std::string>{"counties", "startDomains", "traderStops", "traderRoutes",
                                        "domainAdjacency", "moveMatrix", "roadMoveMatrix"}));
    ASSERT_EQ(j["counties"].items.size(), 16u);
    const Json& c = j["counties"][0];
    EXPECT_EQ(c.keys(),
              (std::vector<std::string>{"domain", "used", "castles", "towns", "quarries", "mines",
                                        "lumbers", "villages", "fields", "greens", "townPos",
                                        "castlePos", "townRoadPos", "smithPos", "tradeSlot"}));
    EXPECT_EQ(c["domain"].number, 1);
    EXPECT_EQ(c["used"].number, 1);
    EXPECT_EQ(c["greens"].number, 4096 - 8 - 2);
    EXPECT_EQ(c["townPos"].numbers(), (std::vector<long long>{10, 10}));
    EXPECT_EQ(c["townRoadPos"].numbers(), (std::vector<long long>{12, 12}));
    EXPECT_EQ(c["tradeSlot"].numbers(), (std::vector<long long>{2, 0, 0}));
    EXPECT_EQ(j["counties"][15]["domain"].number, 16);
    EXPECT_EQ(j["counties"][15]["townPos"].numbers(), (std::vector<long long>{-1, -1}));

    EXPECT_EQ(j["startDomains"].numbers(), (std::vector<long long>{1, -1, -1, -1, -1}));
    ASSERT_EQ(j["traderStops"].items.size(), 6u);
    EXPECT_EQ(j["traderStops"][1].keys(), (std::vector<std::string>{"count", "entries"}));
    EXPECT_EQ(j["traderStops"][1]["count"].number, 1);
    EXPECT_EQ(j["traderStops"][1]["entries"][0].numbers(), (std::vector<long long>{1, 1}));
    ASSERT_EQ(j["traderRoutes"].items.size(), 6u);
    const Json& route = j["traderRoutes"][1];
    EXPECT_EQ(route.keys(),
              (std::vector<std::string>{"startDomain", "stops", "startIndex", "stopCount"}));
    EXPECT_EQ(route["stops"].items.size(), 16u);
    EXPECT_EQ(route["startDomain"].number, 1);
    EXPECT_EQ(route["stopCount"].number, 1);

    ASSERT_EQ(j["domainAdjacency"].items.size(), 16u);
    EXPECT_EQ(j["domainAdjacency"][0].items.size(), 16u);
    // Rows are y, columns x.
    const Json& move = j["moveMatrix"];
    ASSERT_EQ(move.items.size(), 64u);
    ASSERT_EQ(move[3].items.size(), 64u);
    EXPECT_EQ(move[3][20].number, 1);
    EXPECT_EQ(move[20][3].number, 3);
    EXPECT_EQ(move[10][11].number, 100);
    EXPECT_EQ(j["roadMoveMatrix"][10][11].number, 0);
}

TEST_F(AnalysisCli, PathPrintsTheTraceAndTheDistanceField) {
    Json j = runJson({"path", game.path().string(), "2", "0", "0", "5", "2"});
    EXPECT_EQ(j.keys(),
              (std::vector<std::string>{"steps", "offroad", "pathLength", "points", "dist"}));
    EXPECT_EQ(j["steps"].number, 5);
    EXPECT_EQ(j["offroad"].number, 5);
    EXPECT_EQ(j["pathLength"].number, 5);
    EXPECT_EQ(j["points"][0].numbers(), (std::vector<long long>{5, 2}));
    EXPECT_EQ(j["dist"][2][5].number, 16);
    EXPECT_EQ(j["dist"][5][2].number, 16);
    EXPECT_EQ(j["dist"][0][0].number, 1);

    j = runJson({"path", game.path().string(), "2", "0", "0", "4", "3", "--matrix", "road",
                 "--trace", "road", "--straight"});
    EXPECT_EQ(j["steps"].number, 7);
    EXPECT_EQ(j["pathLength"].number, 8);
    EXPECT_EQ(j["points"][7].numbers(), (std::vector<long long>{0, 0}));

    j = runJson({"path", game.path().string(), "2", "20", "2", "20", "3", "--roads-only"});
    EXPECT_EQ(j["dist"][3][20].number, 2);
    EXPECT_EQ(j["dist"][2][21].number, 101);
    EXPECT_EQ(j["offroad"].number, 0);

    j = runJson({"path", game.path().string(), "2", "-1", "-1", "5", "5"});
    EXPECT_EQ(j["steps"].number, -1);
    EXPECT_EQ(j["points"].items.size(), 0u);

    const std::string dir = game.path().string();
    EXPECT_EQ(run({"path", dir, "2", "0", "0", "5", "5", "--matrix", "x"}).status, 2);
    EXPECT_EQ(run({"path", dir, "2", "0", "0", "5", "5", "--trace", "x"}).status, 2);
    EXPECT_EQ(run({"path", dir, "2", "0", "0", "5"}).status, 2);
}

}  // namespace
}  // namespace d7
