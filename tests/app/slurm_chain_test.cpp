// The cluster build through a real Slurm: the one-node cluster of scripts/slurm-local.sh runs
// the chain of scripts/bib-slurm.sh for levels 0 to 3 in 3 shards each. One task fails once:
// the chain stops and says so; that task submitted again alone and the same call repeated, the
// library equals the one building makes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "cli_run.h"
#include "library_compare.h"
#include "tests/library/test_folder.h"

namespace quarne {
namespace {

namespace fs = std::filesystem;

struct Ausgabe {
  int code;
  std::string text;
};

// A shell command with its standard output and error.
Ausgabe Shell(const std::string& befehl) {
  Ausgabe a{-1, {}};
  FILE* p = ::popen((befehl + " 2>&1").c_str(), "r");
  if (!p) return a;
  char puffer[4096];
  for (std::size_t n; (n = std::fread(puffer, 1, sizeof puffer, p)) > 0;) a.text.append(puffer, n);
  const int status = ::pclose(p);
  a.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return a;
}

const std::string kQuellen = QUARNE_QUELLEN;
const fs::path kLokal = fs::path(kQuellen) / "scripts" / "slurm-local.sh";

TEST(SlurmKette, GleichWieErstellen) {
  const char* eigenerOrdner = std::getenv("QUARNE_SLURM_ORDNER");
  const fs::path slurmOrdner = eigenerOrdner ? eigenerOrdner : "/tmp/quarne-slurm";
  const bool liefSchon = fs::exists(slurmOrdner / "slurmctld.pid");
  const Ausgabe start = Shell(kLokal.string() + " start");
  if (start.code != 0) GTEST_SKIP() << "Slurm startet nicht, der Test entfällt: " << start.text;
  const std::size_t i = start.text.rfind("SLURM_CONF=");
  ASSERT_NE(i, std::string::npos) << start.text;
  ::setenv("SLURM_CONF", start.text.substr(i + 11, start.text.find('\n', i) - i - 11).c_str(), 1);

  TestOrdner ordner;
  const fs::path erstellt = ordner / "erstellt.bib", bib = ordner / "slurm.bib";
  ASSERT_EQ(test::Rufe({"bib", "erstellen", erstellt.string(), "--bis-stufe", "3", "--tiefe", "3",
                        "--threads", "1"})
                .code,
            0);
  // quarne-cli, but the second shard of level 2 fails the first time.
  const fs::path cli = ordner / "cli.sh";
  std::ofstream(cli) << "#!/bin/sh\n"
                     << "case \"$*\" in *stufe-2/teil-2\\ *) if [ ! -e " << (ordner / "einmal")
                     << " ]; then touch " << (ordner / "einmal") << "; exit 1; fi;; esac\n"
                     << "exec " << QUARNE_CLI << " \"$@\"\n";
  fs::permissions(cli, fs::perms::owner_all);
  const fs::path stufen = ordner / "stufen";
  const std::string kette = fs::path(kQuellen) / "scripts" / "bib-slurm.sh";
  const std::string aufruf = kette + " " + bib.string() + " --bis-stufe 3 --teile 3 --tiefe 3" +
                             " --ordner " + stufen.string() + " --cli " + cli.string() +
                             " --warten";

  const Ausgabe abgebrochen = Shell(aufruf);
  EXPECT_EQ(abgebrochen.code, 1) << abgebrochen.text;
  EXPECT_NE(abgebrochen.text.find("Stufe 2: Ein Job ist fehlgeschlagen; die Kette ist hier "
                                  "abgebrochen."),
            std::string::npos)
      << abgebrochen.text;
  EXPECT_NE(abgebrochen.text.find("Teil 2: 0 von "), std::string::npos) << abgebrochen.text;
  EXPECT_TRUE(fs::exists(stufen / "stufe-1" / "importiert"));
  EXPECT_FALSE(fs::exists(stufen / "stufe-2" / "importiert"));

  const Ausgabe nach = Shell("sbatch --wait --array=2 -o " + (ordner / "nach.out").string() + " " +
                             (stufen / "stufe-2" / "rechne.sh").string());
  EXPECT_EQ(nach.code, 0) << nach.text;
  const Ausgabe weiter = Shell(aufruf);
  EXPECT_EQ(weiter.code, 0) << weiter.text;
  EXPECT_NE(weiter.text.find("Stufe 1 ist schon importiert."), std::string::npos) << weiter.text;

  const auto soll = test::Rechnungen(test::LiesBib(erstellt), 3);
  const auto ist = test::Rechnungen(test::LiesBib(bib), 3);
  for (std::size_t L = 0; L <= 3; ++L) EXPECT_TRUE(ist[L] == soll[L]) << "Stufe " << L;
  EXPECT_EQ(test::Rufe({"bib", "pruefen", bib.string()}).aus, "Check ok\n");

  if (!liefSchon) Shell(kLokal.string() + " stop");
}

}  // namespace
}  // namespace quarne
