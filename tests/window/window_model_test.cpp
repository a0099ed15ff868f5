// The uninstall program's window without the window: what is chosen on the first page, what a
// removal's reports do to the second, when closing asks, and what the last page says.
#include <gtest/gtest.h>

#include "ovuninstall/window/window_model.h"

namespace {

const std::vector<CatalogueEntry> kCatalogue = {
    {"Sentrel", "5.2", std::nullopt, {"Sentrel", "Message Center"}},
    {"Pathlyn", "5.2", "1", {"Pathlyn Server"}},
};

std::vector<std::string> Described(const std::vector<RemovalTarget>& targets) {
    std::vector<std::string> described;
    for (const RemovalTarget& target : targets) {
        described.push_back(target.Describe());
    }
    return described;
}

TEST(WindowModel, ChoiceBecomesTargetsInCatalogueOrder) {
    // Rows: 0 Sentrel, 1 its Sentrel, 2 its Message Center, 3 Pathlyn, 4 its Pathlyn Server.
    struct Case {
        std::vector<size_t> rows;
        std::vector<std::string> targets;
    };
    const Case cases[] = {
        {{}, {}},
        {{2}, {"Sentrel 5.2, Message Center"}},
        {{2, 0}, {"Sentrel 5.2"}},
        {{4, 1}, {"Sentrel 5.2, Sentrel", "Pathlyn 5.2 (partition 1), Pathlyn Server"}},
        {{3, 2}, {"Sentrel 5.2, Message Center", "Pathlyn 5.2 (partition 1)"}},
    };
    for (const Case& c : cases) {
        WindowModel model(kCatalogue);
        ASSERT_EQ(model.Rows().size(), 5u);
        for (size_t row : c.rows) {
            model.Choose(row, true);
        }
        EXPECT_EQ(Described(model.ChosenTargets()), c.targets) << c.rows.size() << " rows";
        EXPECT_EQ(model.StartRemoval(), !c.targets.empty());
        EXPECT_EQ(model.CurrentPage(), c.targets.empty() ? Page::kChoice : Page::kRemoval);
    }
}

TEST(WindowModel, ReportsDrawTheRemovalPage) {
    WindowModel model(kCatalogue);
    model.Choose(0, true);
    ASSERT_TRUE(model.StartRemoval());
    EXPECT_EQ(model.Close(), CloseAction::kAskToStop);
    // Phases in the order program files, databases, folder items, registry, finished: Waiting,
    // Current, Done.
    struct Step {
        std::string text;
        int32_t percent, step;
        uint32_t kind;
        ReportAction action;
        std::string status, line;
        int progress;
        std::string phases;
    };
    const std::string title = "Removing Sentrel 5.2 from your computer...";
    const Step steps[] = {
        {title, 0, 1, 1, ReportAction::kNone, "", title, 0, "CWWWW"},
        {"Removing Folder Items...", 48, 3, 1, ReportAction::kNone, "Removing Folder Items...",
         "Removing Folder Items...", 48, "DDCWW"},
        {"Delete all agents?", 21, 2, 2, ReportAction::kAsk, "Removing Folder Items...",
         "? Delete all agents?", 21, "DCDWW"},
        {"Cannot stop the service.", 130, 1, 3, ReportAction::kShowError,
         "Removing Folder Items...", "Error: Cannot stop the service.", 100, "CDDWW"},
        {"OV Agent successfully removed...", -4, 0, 1, ReportAction::kNone,
         "OV Agent successfully removed...", "OV Agent successfully removed...", 0, "DDDDD"},
        // The product's next component starts over.
        {"Removing Message Center...", 35, 1, 1, ReportAction::kNone, "Removing Message Center...",
         "Removing Message Center...", 35, "CWWWW"},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(model.Report(s.text, s.percent, s.step, s.kind), s.action) << s.text;
        EXPECT_EQ(model.Title(), title) << s.text;
        EXPECT_EQ(model.Status(), s.status) << s.text;
        EXPECT_EQ(model.Lines().back(), s.line) << s.text;
        EXPECT_EQ(model.Progress(), s.progress) << s.text;
        std::string phases;
        for (int n = 0; n < kPhaseCount; ++n) {
            phases += "WCD"[static_cast<int>(model.Phase(n))];
        }
        EXPECT_EQ(phases, s.phases) << s.text;
    }
    model.Report("Delete the directory?", 50, 1, 2);
    model.Answered(false);
    EXPECT_EQ(model.Lines().back(), "? Delete the directory?  No");

    // The next product starts afresh: its first report is its title.
    RemovalResult result;
    result.target = {kCatalogue[0], std::nullopt};
    result.verdict = Verdict::kRemoved;
    model.Removed(result);
    EXPECT_EQ(model.Lines().back(), "Removed: Sentrel 5.2");
    EXPECT_EQ(model.Phase(0), PhaseState::kWaiting);
    model.Report("Removing Pathlyn 5.2", 0, 1, 1);
    EXPECT_EQ(model.Title(), "Removing Pathlyn 5.2");
    EXPECT_EQ(model.Status(), "");

    model.StopRequested();
    EXPECT_EQ(model.Close(), CloseAction::kWaitForStop);
}

TEST(WindowModel, EndPageSaysWhatWasRemovedWhatIsLeftAndWhetherToRestart) {
    struct Case {
        Outcome outcome;
        bool restart;
        bool stopped;
        std::string headline;
        std::vector<std::string> results;
    };
    const Case cases[] = {
        {Outcome::kRestartFinishes,
         true,
         false,
         "The removal is finished.",
         {"Removed: Sentrel 5.2"}},
        {Outcome::kStoppedByUser,
         false,
         true,
         "The removal was stopped before everything chosen was removed.",
         {"Removed: Sentrel 5.2", "Not started: Pathlyn 5.2 (partition 1)"}},
        {Outcome::kStillInstalled,
         false,
         false,
         "Not everything chosen was removed.",
         {"Removed: Sentrel 5.2"}},
    };
    for (const Case& c : cases) {
        WindowModel model(kCatalogue);
        EXPECT_EQ(model.Close(), CloseAction::kClose);
        EXPECT_EQ(model.Result(), Outcome::kStoppedByUser);
        model.Choose(0, true);
        model.Choose(3, true);
        ASSERT_TRUE(model.StartRemoval());
        RemovalSummary summary;
        summary.results.push_back({{kCatalogue[0], std::nullopt}, true, Verdict::kRemoved, {}});
        if (c.stopped) {
            summary.notStarted.push_back({kCatalogue[1], std::nullopt});
        }
        summary.restartFinishes = c.restart;
        summary.outcome = c.outcome;
        model.Finished(summary, {kCatalogue[1]}, "C:\\temp\\ovuninstall.log");
        EXPECT_EQ(model.CurrentPage(), Page::kEnd);
        EXPECT_EQ(model.Close(), CloseAction::kClose);
        EXPECT_EQ(model.Headline(), c.headline);
        EXPECT_EQ(model.ResultLines(), c.results);
        EXPECT_EQ(model.StillInstalled(),
                  std::vector<std::string>{"Pathlyn 5.2 (partition 1): Pathlyn Server"});
        EXPECT_EQ(model.LogPath(), "C:\\temp\\ovuninstall.log");
        EXPECT_EQ(model.OffersRestart(), c.restart);
        EXPECT_EQ(model.Result(), c.outcome);
    }
}

}  // namespace
