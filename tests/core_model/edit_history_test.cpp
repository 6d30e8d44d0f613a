#include <gtest/gtest.h>

#include "core/model/edit_history.h"
#include "core/model/history_steps.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "core/model/map_set_maintenance.h"
#include "core/model/random.h"
#include "support/map_builder.h"

namespace d7 {
namespace {

using Image = std::vector<std::uint8_t>;

// Differences of every shape turn one image into the other and back: equal
// lengths with changes near each other, far apart, at both ends, and
// images that grew, shrank, or came from nothing.
TEST(ByteDiff, TurnsEachImageIntoTheOtherAndBack) {
    Random rng(5);
    std::vector<std::pair<Image, Image>> pairs;
    Image base(5000);
    for (auto& b : base) b = std::uint8_t(rng.below(256));
    for (int k = 0; k < 40; ++k) {
        Image changed = base;
        const int edits = 1 + rng.below(30);
        for (int e = 0; e < edits; ++e)
            changed[rng.below(5000)] ^= std::uint8_t(1 + rng.below(255));
        pairs.emplace_back(base, changed);
    }
    Image ends = base;
    ends.front() ^= 1;
    ends.back() ^= 1;
    pairs.emplace_back(base, ends);
    Image longer = base;
    longer.insert(longer.begin() + 100, {1, 2, 3});
    pairs.emplace_back(base, longer);
    pairs.emplace_back(longer, base);
    pairs.emplace_back(Image(), base);
    pairs.emplace_back(base, Image());
    for (const auto& [before, after] : pairs) {
        const ByteChanges changes = diffBytes(before, after);
        Image image = before;
        applyChanges(image, changes, true);
        ASSERT_EQ(image, after);
        applyChanges(image, changes, false);
        ASSERT_EQ(image, before);
    }
    EXPECT_TRUE(diffBytes(base, base).empty());
    // Two changes far apart are two ranges; close ones are one.
    Image two = base;
    two[10] ^= 1;
    two[4000] ^= 1;
    EXPECT_EQ(diffBytes(base, two).size(), 2u);
    Image close = base;
    close[10] ^= 1;
    close[20] ^= 1;
    EXPECT_EQ(diffBytes(base, close).size(), 1u);
}

HistoryStep stepOf(std::size_t payload) {
    HistoryStep s;
    s.name = "Brush";
    ByteChange c;
    c.beforeSize = std::uint32_t(payload / 2);
    c.bytes.assign(payload, 7);
    s.changes[kBlockImage].push_back(std::move(c));
    return s;
}

TEST(EditHistoryLimits, DropOldestStepsButNeverTheNewOne) {
    EditHistory h(HistoryLimits{.maxStepsPerMap = 5, .maxBytes = 100000});
    for (int i = 0; i < 8; ++i) h.push(0, stepOf(10));
    EXPECT_EQ(h.map(0).steps.size(), 5u);
    EXPECT_EQ(h.map(0).applied, 5u);
    EXPECT_EQ(h.map(0).steps.front().id, 4u);  // steps 1..3 went
    EXPECT_EQ(h.map(0).baseId, 3u);

    // Over the byte limit the oldest step of all maps goes first.
    h.push(1, stepOf(40000));
    h.push(2, stepOf(40000));
    h.push(1, stepOf(40000));
    EXPECT_LE(h.bytes(), 100000u);
    EXPECT_EQ(h.map(0).steps.size(), 0u);
    EXPECT_EQ(h.map(1).steps.size(), 1u);
    EXPECT_EQ(h.map(2).steps.size(), 1u);
    // A step larger than the limit stays: the present step is never dropped.
    h.push(3, stepOf(300000));
    EXPECT_EQ(h.map(3).steps.size(), 1u);
    std::size_t sum = 0;
    for (int m = 0; m < kMapCount; ++m) sum += h.map(m).bytes;
    EXPECT_EQ(sum, h.bytes());
}

TEST(EditHistoryLimits, ANewStepEndsTheRedoListAndTheSavedPointWithIt) {
    EditHistory h;
    h.push(0, stepOf(10));
    h.push(0, stepOf(10));
    h.markSaved();
    EXPECT_EQ(h.map(0).savedPosition(), 2);
    h.map(0).applied = 1;  // one undone
    EXPECT_FALSE(h.allAtSavedPoints());
    h.push(0, stepOf(10));
    EXPECT_EQ(h.map(0).steps.size(), 2u);
    EXPECT_EQ(h.map(0).savedPosition(), -1);
    EXPECT_FALSE(h.map(0).canRedo());
}

class HistorySteps : public ::testing::Test {
  protected:
    void SetUp() override {
        test::writeMapSet(game.path(), 9);
        st = test::loadTestMapSet(game.path());
        selectMap(*st, 10);
    }
    void edit(int x, std::uint8_t value) {
        st->planes.M0.at(x, 1) = value;
        storeBlockByte(*st, value, x, 1, 0, st->curMap);
    }
    test::TempDir game;
    test::TempDir out;
    std::unique_ptr<EditorState> st;
};

TEST_F(HistorySteps, UnsavedChangesFollowTheSavedPoint) {
    const std::uint8_t loaded = st->planes.M0.at(1, 1);
    edit(1, 0x41);
    ASSERT_TRUE(recordStep(*st, "One"));
    edit(2, 0x42);
    ASSERT_TRUE(recordStep(*st, "Two"));
    saveMapSet(*st, out.path().string());
    EXPECT_FALSE(hasUnsavedChanges(*st));
    ASSERT_TRUE(undoStep(*st));
    EXPECT_TRUE(hasUnsavedChanges(*st));
    ASSERT_TRUE(redoStep(*st));
    EXPECT_FALSE(hasUnsavedChanges(*st));  // back where it was saved
    ASSERT_TRUE(goToStep(*st, 0));
    EXPECT_EQ(st->planes.M0.at(1, 1), loaded);
    EXPECT_TRUE(hasUnsavedChanges(*st));

    // A write of the same bytes is no step, but it stays unsaved: the set
    // was written to, and the history cannot say it is as saved.
    ASSERT_TRUE(goToStep(*st, 2));
    EXPECT_FALSE(hasUnsavedChanges(*st));
    edit(2, 0x42);
    EXPECT_FALSE(recordStep(*st, "Same"));
    ASSERT_TRUE(undoStep(*st));
    ASSERT_TRUE(redoStep(*st));
    EXPECT_TRUE(hasUnsavedChanges(*st));
}

TEST_F(HistorySteps, EachMapKeepsItsOwnStepsAndLoadingASetForgetsThem) {
    edit(1, 0x41);
    recordStep(*st, "On 10");
    selectMap(*st, 11);
    EXPECT_FALSE(undoStep(*st));
    edit(1, 0x51);  // not recorded yet: selecting a map records it
    selectMap(*st, 10);
    EXPECT_EQ(st->history.map(11).steps.size(), 1u);
    EXPECT_EQ(st->history.map(11).steps[0].name, kUnnamedStep);
    EXPECT_EQ(undoStepName(*st), "On 10");
    ASSERT_TRUE(undoStep(*st));
    EXPECT_FALSE(undoStep(*st));
    EXPECT_EQ(redoStepName(*st), "On 10");
    loadMapSet(*st, game.path().string());
    for (int n : {10, 11}) EXPECT_TRUE(st->history.map(n).steps.empty());
}

TEST_F(HistorySteps, ANameChangeCostsTheChangedBytesOnly) {
    edit(1, 0x41);
    ASSERT_TRUE(recordStep(*st, "Cell"));
    EXPECT_LT(st->history.map(10).steps[0].bytes(), 4096u);
    setDomainName(*st, 2, "Somewhere Else");
    ASSERT_TRUE(recordStep(*st, "Rename"));
    EXPECT_TRUE(st->history.map(10).steps[1].changesNames());
    ASSERT_TRUE(undoStep(*st));
    EXPECT_EQ(st->curDomainNames[2], domainNameSlot(*test::loadTestMapSet(game.path()), 10, 2));
    ASSERT_TRUE(redoStep(*st));
    EXPECT_EQ(st->curDomainNames[2], "Somewhere Else");
    EXPECT_EQ(st->CountyTable[2].name, "Somewhere Else");
}

}  // namespace
}  // namespace d7
