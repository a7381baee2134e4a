#include "listener/listener_repair.h"

#include <gtest/gtest.h>

#include <functional>

#include "listener/repair_world.h"
#include "services/deferred_database_start.h"

namespace {

using namespace repair;

struct RoadCase {
  const char* name;
  const char* listenerFixture;
  const char* tnsnamesFixture;
  const char* expectedListener;
  const char* expectedTnsnames;
};

TEST(RepairListener, RewritesBothFilesBacksThemUpAndRestartsTheServices) {
  const RoadCase cases[] = {
      {"OLDPC to NEWPC", "listener_typical.ora", "tnsnames_aliases.ora", "listener_typical.newpc.ora",
       "tnsnames_aliases.newpc.ora"},
      {"tnsnames.ora longer than 10000 bytes", "listener_typical.ora", "tnsnames_long.ora",
       "listener_typical.newpc.ora", "tnsnames_long.newpc.ora"},
      {"DBSRV beside DBSRV9", "listener_typical.ora", "tnsnames_neighbours.ora", "listener_typical.newpc.ora",
       "tnsnames_neighbours.newpc.ora"},
  };
  for (const auto& c : cases) {
    RepairWorld world(Fixture(c.listenerFixture), Fixture(c.tnsnamesFixture));
    world.ui.QueueAnswers({kAnswerOk, kAnswerOk, kAnswerOk});
    // The listener stops while the user reads the warning.
    world.ui.whileMessageOpen = [&] { world.windows.serviceManager.AdvanceTime(300); };
    RepairListener();

    EXPECT_EQ(Shown(world.ui), (std::vector<std::string>{kAsk, kBackedUp, kWarning})) << c.name;
    EXPECT_EQ(world.Requests(),
              (std::vector<std::string>{"control 1 " + kListener, "control 1 " + kDatabase, "start " + kListener}))
        << c.name;
    EXPECT_EQ(world.Clock2(), 100) << c.name;
    EXPECT_EQ(world.Files(), (FileSet{{kListenerOra, Fixture(c.expectedListener)},
                                      {kTnsnamesOra, Fixture(c.expectedTnsnames)},
                                      {kBackupListener, Fixture(c.listenerFixture)},
                                      {kBackupTnsnames, Fixture(c.tnsnamesFixture)}}))
        << c.name;

    // The poll of 时钟2 brings the database back once it has stopped.
    world.windows.serviceManager.AdvanceTime(300);
    StartDatabaseWhenStopped();
    EXPECT_EQ(world.Requests().back(), "start " + kDatabase) << c.name;
    EXPECT_EQ(world.Clock2(), 0) << c.name;
  }
}

TEST(RepairListener, AListenerStillStoppingIsStartedByThePollOnceStopped) {
  RepairWorld world;
  world.windows.serviceManager.Service(kListener).pendingDelay = 2000;
  world.ui.QueueAnswers({kAnswerOk, kAnswerOk, kAnswerOk});
  RepairListener();
  EXPECT_EQ(Shown(world.ui), (std::vector<std::string>{kAsk, kBackedUp, kWarning}));
  EXPECT_EQ(world.Requests(), (std::vector<std::string>{"control 1 " + kListener, "control 1 " + kDatabase}))
      << "no start asked of a listener that is still stopping: it would be refused";
  EXPECT_EQ(world.Clock2(), 100);

  world.windows.serviceManager.AdvanceTime(300);
  StartDatabaseWhenStopped();
  EXPECT_EQ(world.Requests().back(), "start " + kDatabase);
  EXPECT_EQ(world.Clock2(), 100) << "the listener's start is still owed";

  world.windows.serviceManager.AdvanceTime(1700);
  StartDatabaseWhenStopped();
  EXPECT_EQ(world.Requests().back(), "start " + kListener);
  EXPECT_EQ(world.windows.serviceManager.StateOf(kListener), kSimStartPending);
  EXPECT_EQ(world.Clock2(), 0);
}

TEST(RepairListener, AListenerAlreadyStoppedIsStillAskedToStopThenStartedAtOnce) {
  RepairWorld world;
  world.windows.serviceManager.Service(kListener).state = kSimStopped;
  world.ui.QueueAnswers({kAnswerOk, kAnswerOk, kAnswerOk});
  RepairListener();
  EXPECT_EQ(Shown(world.ui), (std::vector<std::string>{kAsk, kBackedUp, kWarning}));
  EXPECT_EQ(world.Requests(),
            (std::vector<std::string>{"control 1 " + kListener, "control 1 " + kDatabase, "start " + kListener}));
  EXPECT_EQ(world.Clock2(), 100);
}

TEST(RepairListener, AListenerServiceThatCannotBeOpenedEndsItSilentlyAfterTheRewrite) {
  RepairWorld world;
  listenerServiceName = "OracleOraDb12c_home2TNSListener";  // not installed
  world.ui.QueueAnswers({kAnswerOk, kAnswerOk});
  RepairListener();
  EXPECT_EQ(Shown(world.ui), (std::vector<std::string>{kAsk, kBackedUp}));
  EXPECT_TRUE(world.Requests().empty());
  EXPECT_EQ(world.Clock2(), 0);
  EXPECT_EQ(world.Files().at(kListenerOra), Fixture("listener_typical.newpc.ora"));
  EXPECT_EQ(world.Files().at(kTnsnamesOra), Fixture("tnsnames_aliases.newpc.ora"));
}

TEST(RepairListener, CancelTouchesNothing) {
  RepairWorld world;
  const FileSet before = world.Files();
  world.ui.QueueAnswers({kAnswerCancel});
  RepairListener();
  EXPECT_EQ(Shown(world.ui), std::vector<std::string>{kAsk});
  EXPECT_EQ(world.Files(), before);
  EXPECT_FALSE(world.windows.fileSystem.FolderExists(kBackup));
  EXPECT_TRUE(world.windows.serviceManager.namesOpened.empty());
  EXPECT_EQ(world.Clock2(), 0);
}

TEST(RepairListener, ASecondRepairReplacesTheBackupWithTheFilesAsTheFirstLeftThem) {
  RepairWorld world;
  world.ui.QueueAnswers({kAnswerOk, kAnswerOk, kAnswerOk, kAnswerOk, kAnswerOk, kAnswerOk});
  RepairListener();
  world.windows.hostName = "NEWERPC";
  RepairListener();
  EXPECT_EQ(world.Files().at(kBackupListener), Fixture("listener_typical.newpc.ora"));
  EXPECT_EQ(world.Files().at(kBackupTnsnames), Fixture("tnsnames_aliases.newpc.ora"));
  std::string listener = Fixture("listener_typical.newpc.ora");
  listener.replace(listener.find("NEWPC"), 5, "NEWERPC");
  EXPECT_EQ(world.Files().at(kListenerOra), listener);
  EXPECT_EQ(Shown(world.ui), (std::vector<std::string>{kAsk, kBackedUp, kWarning, kAsk, kBackedUp, kWarning}));
}

TEST(RepairListener, ABackupThatCannotBeWrittenIsReportedAndTheRepairGoesOn) {
  RepairWorld world;
  world.windows.fileSystem.DenyWritesIn(kRun);
  world.ui.QueueAnswers({kAnswerOk, kAnswerOk, kAnswerOk, kAnswerOk});
  RepairListener();
  EXPECT_EQ(Shown(world.ui), (std::vector<std::string>{kAsk, kCreateFailed, kBackupFailed, kWarning}))
      << "the second backup file is not tried";
  EXPECT_EQ(world.Files(), (FileSet{{kListenerOra, Fixture("listener_typical.newpc.ora")},
                                    {kTnsnamesOra, Fixture("tnsnames_aliases.newpc.ora")}}));
  EXPECT_EQ(world.Requests().size(), 2u);
  EXPECT_EQ(world.Clock2(), 100);
}

TEST(RepairListener, AListenerHostThatIsNoReplaceableHostIsWrittenBackAsRead) {
  const std::string typical = Fixture("listener_typical.ora");
  const std::string tcp = "(ADDRESS = (PROTOCOL = TCP)(HOST = OLDPC)(PORT = 1521))";
  const std::pair<const char*, std::string> cases[] = {
      {"no TCP address", typical.substr(0, typical.find(tcp)) + typical.substr(typical.find(tcp) + tcp.size())},
      {"no blanks", typical.substr(0, typical.find(tcp)) + "(ADDRESS=(PROTOCOL=TCP)(HOST=OLDPC)(PORT=1521))" +
                        typical.substr(typical.find(tcp) + tcp.size())},
      {"spaced differently", typical.substr(0, typical.find(tcp)) +
                                 "(ADDRESS = (PROTOCOL = TCP)(HOST = OLDPC) (PORT = 1521))" +
                                 typical.substr(typical.find(tcp) + tcp.size()) +
                                 "\r\nOTHER = (ADDRESS = (PROTOCOL = TCP)(HOST = X)(PORT = 1))\r\n"},
      {"the wildcard", typical.substr(0, typical.find(tcp)) +
                           "(ADDRESS = (PROTOCOL = TCP)(HOST = 0.0.0.0)(PORT = 1521))" +
                           typical.substr(typical.find(tcp) + tcp.size())},
  };
  for (const auto& [name, listener] : cases) {
    RepairWorld world(listener);
    world.ui.QueueAnswers({kAnswerOk, kAnswerOk, kAnswerOk});
    RepairListener();
    EXPECT_EQ(Shown(world.ui), (std::vector<std::string>{kAsk, kBackedUp, kWarning})) << name;
    EXPECT_EQ(world.Files(), (FileSet{{kListenerOra, listener},
                                      {kTnsnamesOra, Fixture("tnsnames_aliases.newpc.ora")},
                                      {kBackupListener, listener},
                                      {kBackupTnsnames, Fixture("tnsnames_aliases.ora")}}))
        << name;
  }
}

struct WriteBackFailure {
  const char* name;
  std::function<void(SimulatedFileSystem&)> setUp;
  std::vector<std::string> messages;  // after the question and the backup report
  bool listenerRewritten;
};

TEST(RepairListener, AFailedWriteBackLeavesTheFileIntactAndNamesIt) {
  const std::size_t backupBytes = Fixture("listener_typical.ora").size() + Fixture("tnsnames_aliases.ora").size();
  const WriteBackFailure cases[] = {
      {"listener.ora read-only",
       [](SimulatedFileSystem& files) { files.SetReadOnly(kListenerOra); },
       {kCreateFailed, WriteBackFailed(kListenerOra)},
       false},
      {"tnsnames.ora read-only",
       [](SimulatedFileSystem& files) { files.SetReadOnly(kTnsnamesOra); },
       {kCreateFailed, WriteBackFailed(kTnsnamesOra)},
       true},
      {"disk fills up while listener.ora is written",
       [backupBytes](SimulatedFileSystem& files) { files.freeBytes = static_cast<std::int64_t>(backupBytes) + 100; },
       {WriteBackFailed(kListenerOra)},
       false},
  };
  for (const auto& c : cases) {
    RepairWorld world;
    c.setUp(world.windows.fileSystem);
    world.ui.QueueAnswers({kAnswerOk, kAnswerOk});
    for (std::size_t i = 0; i < c.messages.size(); ++i) world.ui.QueueAnswers({kAnswerOk});
    RepairListener();

    std::vector<std::string> expected{kAsk, kBackedUp};
    expected.insert(expected.end(), c.messages.begin(), c.messages.end());
    EXPECT_EQ(Shown(world.ui), expected) << c.name;
    EXPECT_EQ(world.Requests(), std::vector<std::string>{"start " + kDatabase}) << c.name;
    EXPECT_EQ(world.Clock2(), 0) << c.name;
    EXPECT_EQ(
        world.Files(),
        (FileSet{{kListenerOra, Fixture(c.listenerRewritten ? "listener_typical.newpc.ora" : "listener_typical.ora")},
                 {kTnsnamesOra, Fixture("tnsnames_aliases.ora")},
                 {kBackupListener, Fixture("listener_typical.ora")},
                 {kBackupTnsnames, Fixture("tnsnames_aliases.ora")}}))
        << c.name;
  }
}

}  // namespace
