#include "present/run_progress.h"

#include <gtest/gtest.h>

#include "optimise/engine_fixture.h"
#include "optimise/optimise_search.h"

namespace tsumiki {
namespace {

using testing::Engine;

// The score texts of the optimisation window, each change once.
std::vector<std::string> ScoreTexts(const std::vector<OptimiseView>& views, std::size_t from) {
  std::vector<std::string> scores;
  for (std::size_t i = from; i < views.size(); ++i) {
    if (scores.empty() || scores.back() != views[i].score_text) scores.push_back(views[i].score_text);
  }
  return scores;
}

TEST(RunProgress, OptimisationWindowShowsTheWorkbookFigureThenEachBestScore) {
  ConditionModel start;
  ASSERT_TRUE(testing::BuildWorkplaceMonth(4, start));
  Engine engine(start, 9);
  SessionValues session;
  session.StatusPosition = 2;
  RunProgress progress(
      EngineContext{*engine.book, engine.host, engine.model, engine.run, session, engine.random});
  SearchContext ctx = engine.search();
  ctx.progress = &progress;
  const auto& views = engine.host.OptimiseViews();
  // A second optimisation starts from an empty window, as the first did.
  for (int run = 0; run < 2; ++run) {
    const std::size_t first = views.size();
    Optimise(ctx, /*first_argument=*/1, /*passes=*/1, 30);
    ASSERT_GE(views.size(), first + 3);
    const std::vector<std::string> scores = ScoreTexts(views, first);
    ASSERT_GE(scores.size(), 2u);
    EXPECT_EQ(scores[0], "");
    EXPECT_EQ(scores[1], "1.235");
    for (std::size_t i = 2; i < scores.size(); ++i) {
      ASSERT_GE(scores[i].size(), 4u);
      EXPECT_EQ(scores[i][scores[i].size() - 3], '.') << scores[i];
    }
    EXPECT_FALSE(views[first].bar_visible);
    EXPECT_FALSE(views[first].keep_position);
    EXPECT_EQ(views.back().message, "最適化しています！");
    EXPECT_EQ(views.back().score_caption, "偏差");
    EXPECT_EQ(views.back().abort_caption, "中止");
    EXPECT_TRUE(views.back().bar_visible);
    EXPECT_EQ(views.back().bar_max, 30);
    EXPECT_FALSE(engine.host.OptimiseVisible());
  }
}

}  // namespace
}  // namespace tsumiki
