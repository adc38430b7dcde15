// Every option the engine reads, with the values the program starts with. The application
// owns one instance and writes each control's change into it; the engine only reads it.
#pragma once

#include <array>

namespace quarne {

// The fifteen evaluation weights. The weakening factor is stored negated.
struct Gewichte {
  double EDCPosition = 100;
  double EDCMobil = 1500;
  double EDCVirtOff1 = 1500;
  double EDCVirtOff2 = 1000;
  double EDCVirtOff3 = 500;
  double EDCRealOff1 = 3500;
  double EDCRealOff2 = 1500;
  double EDCRealOff3 = 1000;
  double EDCQuarneBew = 2000;
  double EDCQuarneUnbw = 3000;
  double EDCQuarneZwk = 5000;
  double EDPunktWert = 10000;
  double EDPunktVirt = 2000;
  double EDWinVirt = 5000;
  double EDZugFaktor = -0.97;
};

// Thinking times of the "Denkzeit / Denktiefe" items, in seconds (item 0: depth instead).
inline constexpr std::array<int, 7> kDenkzeiten = {0, 1, 5, 10, 30, 60, 180};

// Half-moves without a mill after which a game is drawn, by item of "Remis nach x Vollzügen";
// -1 means never.
inline constexpr std::array<int, 4> kRemisLimits = {-1, 40, 60, 100};

// How the search cuts the tree. Both give the same result at the same depth; the classic one
// cuts only against the best move one ply up and is kept to compare with.
enum class SuchArt { Schnell, Klassisch };

struct Einstellungen {
  Gewichte gewichte;

  // Evaluation switches.
  bool CBMuster = true;
  bool CBMobil = true;
  bool CBPosition = true;
  bool CBVirtQuarne2 = true;
  bool CBVirtGewinn2 = true;
  bool NaherVorteilCB = true;

  int RemisLimit = kRemisLimits[1];
  int AutoGroup = 3;  // index into kDenkzeiten

  bool CBVirtuell = true;
  bool CBVirtuellZugAb = false;
  int VirtuellSE = 6;
  bool CBVoll = false;

  SuchArt suchArt = SuchArt::Schnell;
  // Megabytes of the fast search's table of subtrees met before, shared out among its threads.
  int TabelleMB = 16;

  int DenkzeitSekunden() const {
    return AutoGroup >= 0 && AutoGroup < static_cast<int>(kDenkzeiten.size())
               ? kDenkzeiten[static_cast<std::size_t>(AutoGroup)]
               : 0;
  }
};

}  // namespace quarne
