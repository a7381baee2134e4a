#include "listener/host_rewriting.h"

#include <gtest/gtest.h>

#include "listener/fixtures.h"
#include "support/text_compare.h"

namespace {

struct BetweenCase {
  const char* name;
  std::string text;
  const char* start;
  const char* end;
  const char* expected;
};

TEST(TextBetween, CutsTheFirstEntryBetweenExactMarkers) {
  const std::string longStretch =
      "(ADDRESS = (PROTOCOL = TCP)(HOST = OLDPC) (PORT = 1521))\r\n(ADDRESS = (PROTOCOL = TCP)(HOST = X)(PORT = 1)";
  const BetweenCase cases[] = {
      {"names entry, listener markers", "(ADDRESS = (PROTOCOL = TCP)(HOST = DBSRV)(PORT = 1521))",
       kListenerHostStart, kHostEnd, "DBSRV"},
      {"names entry, names markers", "(ADDRESS = (PROTOCOL = TCP)(HOST = DBSRV)(PORT = 1521))", kNamesHostStart,
       kHostEnd, "DBSRV"},
      {"IPC address before the TCP one",
       "(ADDRESS = (PROTOCOL = IPC)(KEY = EXTPROC1521))\r\n(ADDRESS = (PROTOCOL = TCP)(HOST = DBSRV)(PORT = 1521))",
       kListenerHostStart, kHostEnd, "DBSRV"},
      {"first of two hosts", "(PROTOCOL = TCP)(HOST = DBSRV)(PORT = 1)(PROTOCOL = TCP)(HOST = DBSRV9)(PORT = 1)",
       kListenerHostStart, kHostEnd, "DBSRV"},
      {"no blanks", "(PROTOCOL=TCP)(HOST=DBSRV)(PORT=1521)", kListenerHostStart, kHostEnd, ""},
      {"lower case markers", "(protocol = tcp)(host = DBSRV)(port = 1521)", kListenerHostStart, kHostEnd, ""},
      {"empty host", "(PROTOCOL = TCP)(HOST = )(PORT = 1521)", kListenerHostStart, kHostEnd, ""},
      {"no end marker after the start", "(PORT = 1)(PROTOCOL = TCP)(HOST = DBSRV))", kListenerHostStart, kHostEnd,
       ""},
      {"end marker only before the start", ")(PORT = (PROTOCOL = TCP)(HOST = DBSRV)", kListenerHostStart, kHostEnd, ""},
      {"spaced differently: the next end marker, far away", longStretch, kNamesHostStart, kHostEnd,
       "OLDPC) (PORT = 1521))\r\n(ADDRESS = (PROTOCOL = TCP)(HOST = X"},
      {"quote stand-in", "(ENVS = \"EXTPROC_DLLS=ONLY:x.dll\")", "(ENVS = #引号", "#引号)", "EXTPROC_DLLS=ONLY:x.dll"},
      {"double-byte text before the entry", "# 生产库\r\n(PROTOCOL = TCP)(HOST = 服务器)(PORT = 1)",
       kListenerHostStart, kHostEnd, "服务器"},
  };
  for (const auto& c : cases) EXPECT_EQ(TextBetween(c.text, c.start, c.end), c.expected) << c.name;
}

TEST(ReplacePairs, ReplacesEachPairOnTheResultOfTheOneBefore) {
  const char* const home = "C:\\app\\product\\11.2.0\\dbhome_1\\";
  EXPECT_EQ(ReplacePairs(std::string(home) + "BIN\\TNSLSNR", "BIN\\TNSLSNR", "NETWORK\\ADMIN\\listener.ora"),
            std::string(home) + "NETWORK\\ADMIN\\listener.ora");
  EXPECT_EQ(ReplacePairs(std::string(home) + "bin\\tnslsnr", "BIN\\TNSLSNR", "NETWORK\\ADMIN\\tnsnames.ora"),
            std::string(home) + "NETWORK\\ADMIN\\tnsnames.ora")
      << "the sought text matches in any case; the replacement goes in as written";
  EXPECT_EQ(ReplacePairs("...\\BIN\\TNSLSNR.EXE", "BIN\\TNSLSNR", "NETWORK\\ADMIN\\listener.ora"),
            "...\\NETWORK\\ADMIN\\listener.ora.EXE");
  EXPECT_EQ(ReplacePairs("C:\\oracle\\listener.exe", "BIN\\TNSLSNR", "x"), "C:\\oracle\\listener.exe");
  EXPECT_EQ(ReplacePairs("", "BIN\\TNSLSNR", "x"), "");
  EXPECT_EQ(ReplacePairs("abc", "a", "b", "B", "c", "C", "d", "", "zzz", "D", "e"), "eee")
      << "abc, bbc, ccc, ddd, ddd (empty slot), eee";
}

TEST(IsReplaceableHost, TakesOnlyWhatLooksLikeAHostThatNamesThisComputer) {
  const std::pair<std::string, bool> cases[] = {
      {"DBSRV", true},
      {"dbsrv.corp.example", true},
      {"10.0.0.17", true},
      {"db-node_01", true},
      {"服务器", true},
      {std::string(255, 'h'), true},
      {std::string(256, 'h'), false},
      {"", false},
      {"DB SRV", false},
      {"DB\tSRV", false},
      {"OLDPC)\r\n(HOST = X", false},
      {"OLDPC) (PORT", false},
      {"HOST=OLDPC", false},
      {"localhost", false},
      {"LocalHost", false},
      {"127.0.0.1", false},
      {"::1", false},
      {"0.0.0.0", false},
      {"localhost.corp.example", true},
  };
  for (const auto& [host, expected] : cases) EXPECT_EQ(IsReplaceableHost(host), expected) << host;
}

struct HostCase {
  const char* name;
  const char* text;
  const char* expected;
};

TEST(ReplaceHostName, ReplacesTheHostOnlyAsAWholeName) {
  const HostCase cases[] = {
      {"alone", "DBSRV", "NEWPC"},
      {"any letter case", "(HOST = dbsrv) # DbSrv", "(HOST = NEWPC) # NEWPC"},
      {"inside a longer name", "DBSRV9 XDBSRV ORCL_DBSRV DBSRV_A DBSRV-2 2DBSRV", "DBSRV9 XDBSRV ORCL_DBSRV DBSRV_A DBSRV-2 2DBSRV"},
      {"a dot ends a name", "dbsrv.corp.example", "NEWPC.corp.example"},
      {"next to punctuation", "(DBSRV)=DBSRV,\"DBSRV\"", "(NEWPC)=NEWPC,\"NEWPC\""},
      {"after a double-byte character", "库DBSRV 库 DBSRV", "库DBSRV 库 NEWPC"},
      {"before a double-byte character", "DBSRV库", "DBSRV库"},
      {"never from a second byte: B0 44 is one character", "\xB0" "DBSRV", "\xB0" "DBSRV"},
      {"lone lead byte at the end is kept", "DBSRV \xB0", "NEWPC \xB0"},
      {"line breaks", "DBSRV\r\nDBSRV", "NEWPC\r\nNEWPC"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReplaceHostName(c.text, "DBSRV", "NEWPC"), c.expected) << c.name;
}

struct RewriteCase {
  const char* name;
  std::string text;
  const char* startMarker;
  std::string expected;
};

TEST(RewriteHost, RewritesRealFilesAndLeavesAnythingDoubtfulAlone) {
  const std::string spacedDifferently =
      "(ADDRESS = (PROTOCOL = TCP)(HOST = OLDPC) (PORT = 1521))\r\n(ADDRESS = (PROTOCOL = TCP)(HOST = X)(PORT = 1))";
  const RewriteCase cases[] = {
      {"typical listener.ora", Fixture("listener_typical.ora"), kListenerHostStart,
       Fixture("listener_typical.newpc.ora")},
      {"tnsnames.ora with aliases and the host in a comment", Fixture("tnsnames_aliases.ora"), kNamesHostStart,
       Fixture("tnsnames_aliases.newpc.ora")},
      {"DBSRV beside DBSRV9", Fixture("tnsnames_neighbours.ora"), kNamesHostStart,
       Fixture("tnsnames_neighbours.newpc.ora")},
      {"longer than one read buffer", Fixture("tnsnames_long.ora"), kNamesHostStart,
       Fixture("tnsnames_long.newpc.ora")},
      {"spaced differently", spacedDifferently, kNamesHostStart, spacedDifferently},
      {"no blanks", "(PROTOCOL=TCP)(HOST=OLDPC)(PORT=1521)", kListenerHostStart,
       "(PROTOCOL=TCP)(HOST=OLDPC)(PORT=1521)"},
      {"localhost", "(PROTOCOL = TCP)(HOST = localhost)(PORT = 1521) localhost", kListenerHostStart,
       "(PROTOCOL = TCP)(HOST = localhost)(PORT = 1521) localhost"},
      {"wildcard", "(PROTOCOL = TCP)(HOST = 0.0.0.0)(PORT = 1521)", kListenerHostStart,
       "(PROTOCOL = TCP)(HOST = 0.0.0.0)(PORT = 1521)"},
      {"no TCP entry", "(ADDRESS = (PROTOCOL = IPC)(KEY = EXTPROC1521))", kListenerHostStart,
       "(ADDRESS = (PROTOCOL = IPC)(KEY = EXTPROC1521))"},
  };
  for (const auto& c : cases) EXPECT_EQ(RewriteHost(c.text, c.startMarker, "NEWPC"), c.expected) << c.name;
}

TEST(RewriteHost, AnEmptyNewHostChangesNothing) {
  const std::string text = Fixture("listener_typical.ora");
  EXPECT_EQ(RewriteHost(text, kListenerHostStart, ""), text);
}

}  // namespace
