#include "parallel/celltree.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "engine/values.h"

namespace quarne {
namespace {

constexpr std::size_t kWachstum = 100;

bool Entschieden(const TZug& z) {
  return z.BEWERTET || z.Canceld;
}

bool IstBewertet(const TZug& z) {
  return z.BEWERTET;
}

// Cut off, and valued by a bound from the tree above a cell.
bool IstSchranke(const TZug& z) {
  return z.Canceld && z.ClWay == cwSchranke;
}

// Sorts v[von..bis] best-first by the moves zug(element) gives. The threshold between ordinary
// lines and draws need not rank transitively; the block is sorted after as many passes as it
// has entries, so a cycle cannot keep the sort going.
template <class T, class Zug>
void BesteZuerst(std::vector<T>& v, int von, int bis, Zug zug, const Einstellungen& einst,
                 Host& host) {
  for (int durchgang = von; durchgang <= bis; ++durchgang) {
    bool getauscht = false;
    for (int k = bis - 1; k >= von; --k) {
      auto a = static_cast<std::size_t>(k);
      if (IstBesserA(zug(v[a]), zug(v[a + 1]), einst, host)) {
        std::swap(v[a], v[a + 1]);
        getauscht = true;
      }
    }
    if (!getauscht) break;
  }
}

}  // namespace

HTBaum::HTBaum(const Einstellungen& einstellungen, Host& host)
    : einst_(einstellungen), host_(host) {}

void HTBaum::Leeren() {
  for (int L = 1; L <= kMaxSteps; ++L) HTStepListe[L].ZugListeZeiger = -1;
}

int HTBaum::HTAddZug(int L, const TZug& zug, bool bewertet, int eltern) {
  THTListe& ebene = HTStepListe[L];
  if (ebene.ZugListeZeiger == static_cast<int>(ebene.ZugListe.size()) - 1)
    ebene.ZugListe.resize(ebene.ZugListe.size() + kWachstum);
  const int i = ++ebene.ZugListeZeiger;
  TZug& e = Eintrag(L, i);
  e = zug;
  e.LISTEVON = e.LISTEBIS = e.LISTE_1 = -1;
  e.CHECKED = e.Canceld = e.Extrapoliert = false;
  e.StepMaxZug = 0;
  e.ClWay = cwKeiner;
  e.IMTHREAD = 0;
  e.TEILBEW = 0;
  if (L > 1) {
    if (eltern < 0 || eltern > HTStepListe[L - 1].ZugListeZeiger)
      throw std::logic_error("Fehler in HTAddZug: Vorgänger fehlt");
    e.LISTE_1 = eltern;
    TZug& p = Eintrag(L - 1, eltern);
    if (p.LISTEVON < 0) p.LISTEVON = i;
    p.LISTEBIS = i;
  }
  e.BEWERTET = bewertet;
  if (bewertet) e.StepMaxZug = zug.StepMaxZug;
  return i;
}

int HTBaum::ErsterNachfahre(int L, int von) const {
  if (von < 0 || L >= kMaxSteps) return -1;
  const THTListe& unten = HTStepListe[L + 1];
  // Levels are appended depth-first, so the parent indexes of a level never decrease.
  int erster = -1;
  for (int j = unten.ZugListeZeiger; j >= 0; --j) {
    if (unten.ZugListe[static_cast<std::size_t>(j)].LISTE_1 < von) break;
    erster = j;
  }
  return erster;
}

void HTBaum::SofortGewinn(int s, int index, THintRes art, int d) {
  if (index < 0 || index > HTStepListe[s].ZugListeZeiger) return;
  TZug& e = Eintrag(s, index);
  TSmartZug& ende = e.SmartZuege[s];
  if (art == hrQuarne) ende.GewinnDurchQuarne = true;
  if (art == hrBlock) ende.GewinnDurchBlock = true;
  if (s == 1) {
    e.BEWERTET = true;
    e.Wertung.ZugResGesamt = rsWIN;
    e.Wertung.ResultInXZuegen = 0;
    e.StepMaxZug = static_cast<std::uint8_t>(d);
    return;
  }
  TZug& p = Eintrag(s - 1, e.LISTE_1);
  p.BEWERTET = true;
  p.Wertung.ZugResGesamt = rsLOSS;
  p.Wertung.ResultInXZuegen = 1;
  p.StepMaxZug = static_cast<std::uint8_t>(d);
  p.SmartZuege[s] = ende;
  // The parent is decided: everything below it goes. Its descendants are the newest entries of
  // every deeper level, from the first one whose parent is a descendant.
  int erster = p.LISTEVON;
  p.LISTEVON = p.LISTEBIS = -1;
  for (int L = s; erster >= 0 && L <= kMaxSteps; ++L) {
    const int naechster = ErsterNachfahre(L, erster);
    HTStepListe[L].ZugListeZeiger = erster - 1;
    erster = naechster;
  }
}

int HTBaum::Offene(int L) const {
  const THTListe& ebene = HTStepListe[L];
  int n = 0;
  for (int i = 0; i <= ebene.ZugListeZeiger; ++i)
    n += !ebene.ZugListe[static_cast<std::size_t>(i)].BEWERTET;
  return n;
}

void HTBaum::HTSortListe(int L, int von, int bis) {
  BesteZuerst(
      HTStepListeNeu[L].ZugListe, von, bis, [](const TZug& z) -> const TZug& { return z; }, einst_,
      host_);
}

void HTBaum::CopyAndSortHTStepListeNeu(int stepMax) {
  if (stepMax < 1 || HTStepListe[1].ZugListeZeiger < 0) return;
  stepMax = std::min(stepMax, kMaxSteps);
  for (int L = 1; L <= kMaxSteps; ++L) {
    const THTListe& alt = HTStepListe[L];
    THTListe& neu = HTStepListeNeu[L];
    neu.ZugListe.assign(alt.ZugListe.begin(), alt.ZugListe.begin() + alt.Anzahl());
    neu.ZugListeZeiger = alt.ZugListeZeiger;
  }
  const auto fehler = [] { throw std::runtime_error("Fehler 01 in CopyAndSortHTStepListeNeu"); };
  HTSortListe(1, 0, HTStepListeNeu[1].ZugListeZeiger);
  for (int L = 1; L < stepMax; ++L) {
    const int unten = HTStepListeNeu[L + 1].ZugListeZeiger;
    for (const TZug& e : HTStepListeNeu[L].ZugListe) {
      if (e.LISTEVON < 0 || e.LISTEBIS < 0) continue;
      if (e.LISTEVON > e.LISTEBIS || e.LISTEBIS > unten) fehler();
      HTSortListe(L + 1, e.LISTEVON, e.LISTEBIS);
    }
  }
  for (int L = 2; L <= stepMax; ++L) {
    std::vector<TZug>& ebene = HTStepListeNeu[L].ZugListe;
    puffer_.resize(ebene.size());
    int n = 0;
    int j = 0;
    for (TZug& p : HTStepListeNeu[L - 1].ZugListe) {
      if (p.LISTEVON >= 0 && p.LISTEBIS >= 0) {
        const int von = p.LISTEVON, bis = p.LISTEBIS;
        if (bis - von + 1 > static_cast<int>(ebene.size()) - n) fehler();
        p.LISTEVON = n;
        for (int k = von; k <= bis; ++k) {
          TZug& kind = puffer_[static_cast<std::size_t>(n++)];
          kind = ebene[static_cast<std::size_t>(k)];
          kind.LISTE_1 = j;
        }
        p.LISTEBIS = n - 1;
      }
      ++j;
    }
    if (n - 1 != HTStepListeNeu[L].ZugListeZeiger) fehler();
    ebene.swap(puffer_);
  }
}

void HTBaum::HTRestoreStepListe() {
  for (int L = 1; L <= kMaxSteps; ++L) {
    THTListe& ziel = HTStepListe[L];
    const THTListe& quelle = HTStepListeNeu[L];
    ziel.ZugListe.assign(quelle.ZugListe.begin(), quelle.ZugListe.end());
    ziel.ZugListeZeiger = quelle.ZugListeZeiger;
  }
}

bool HTBaum::HTAuswerten(int stepMax, int d, Arbeiter& arbeiter) {
  for (int L = stepMax; L >= 2; --L) {
    const int letzter = HTStepListe[L].ZugListeZeiger;
    int i = 0;
    while (i <= letzter) {
      const int p = Eintrag(L, i).LISTE_1;
      int j = p >= 0 && p <= HTStepListe[L - 1].ZugListeZeiger ? Eintrag(L - 1, p).LISTEBIS : -1;
      if (j < i || j > letzter || Eintrag(L, j).LISTE_1 != p) {
        host_.Meldung("Unterschiedliche Vorgänger");
        // A broken block is passed over rather than walked forever.
        if (j < i || j > letzter || p < 0 || p > HTStepListe[L - 1].ZugListeZeiger) {
          ++i;
          continue;
        }
      }
      HTBewerteBlock(L, d, stepMax, i, j, arbeiter);
      i = j + 1;
    }
  }
  const bool fertig = HTBewerteBlock(1, d, stepMax, 0, HTStepListe[1].ZugListeZeiger, arbeiter);
  HTCancelZellen(stepMax, arbeiter);
  return fertig;
}

bool HTBaum::HTBewerteBlock(int L, int d, int stepMax, int von, int bis, Arbeiter& arbeiter) {
  if (von > bis) return L == 1;
  TZug* eltern = L > 1 ? &Eintrag(L - 1, Eintrag(L, von).LISTE_1) : nullptr;
  if (eltern != nullptr && Entschieden(*eltern)) return false;
  bool alleFertig = true;
  for (int k = von; k <= bis; ++k) alleFertig = alleFertig && Entschieden(Eintrag(L, k));
  if (L == 1 && alleFertig) return true;
  // A bound better than every exact value stands for the block, as a cut-off move does for its
  // ply in the search itself: it cuts and passes up like one, and the parent is valued by a
  // bound too.
  int bester = BesterIm(L, von, bis, IstBewertet);
  const int schranke = BesterIm(L, von, bis, IstSchranke);
  const bool ungenau =
      schranke >= 0 &&
      (bester < 0 || IstBesser(Eintrag(L, bester), Eintrag(L, schranke), einst_, host_));
  if (ungenau) bester = schranke;
  if (bester < 0) return false;

  const TZug& b = Eintrag(L, bester);
  if (!(L == 1 && einst_.CBVoll)) {
    for (int k = von; k <= bis; ++k) {
      TZug& z = Eintrag(L, k);
      if (Entschieden(z) || z.TEILBEW == 0 || !MindestensSoGut(b, z, einst_, host_)) continue;
      z.Canceld = true;
      z.StepMaxZug = static_cast<std::uint8_t>(d);
      if (L != stepMax) {
        z.ClWay = cwEbene;
        continue;
      }
      z.ClWay = cwZelle;
      if (z.IMTHREAD <= 0) {
        host_.Meldung("Zug in der Teilbewertung, aber nicht im Thread");
      } else if (arbeiter.Zelle(z.IMTHREAD) != k) {
        host_.Meldung("Thread Zelle <> Zelle #04");
      } else {
        arbeiter.HTStopThread(z.IMTHREAD);
      }
    }
  }
  alleFertig = true;
  for (int k = von; k <= bis; ++k) alleFertig = alleFertig && Entschieden(Eintrag(L, k));
  if (L == 1) return alleFertig;

  TZug& p = *eltern;
  const double eigenerWert = p.Wertung.PunktWertA;
  p.Wertung = Runterrechnen(b.Wertung, p.Wertung, einst_, host_);
  if (alleFertig) {
    if (ungenau) {
      p.Canceld = true;
      p.ClWay = cwSchranke;
    } else {
      p.BEWERTET = true;
    }
    p.StepMaxZug = static_cast<std::uint8_t>(d);
    HTCopySmart_(L - 1, d, p, b);
  } else {
    p.TEILBEW = 1;
    p.Wertung.PunktWertA = eigenerWert;
    if (L == 2) HTCopySmart_(L - 1, d, p, b);
  }
  return false;
}

void HTBaum::HTCopySmart_(int l, int d, TZug& eltern, const TZug& kind) {
  if (l == d) host_.Meldung("Fehler 01 in HTCopySmart_!");
  for (int k = l + 1; k <= std::min(d, kMaxSteps); ++k) {
    eltern.SmartZuege[k] = kind.SmartZuege[k];
    if (k < d && kind.SmartZuege[k].BeendetLinie()) break;
  }
}

void HTBaum::HTCancelZellen(int stepMax, Arbeiter& arbeiter) {
  // Level by level from the root, so that each entry looks only at its parent: the merge runs
  // this after every cell collected.
  for (int L = 1; L <= stepMax; ++L) {
    std::vector<char>& fertig = vorgaengerFertig_[L];
    fertig.assign(static_cast<std::size_t>(HTStepListe[L].Anzahl()), 0);
    for (int i = 0; i <= HTStepListe[L].ZugListeZeiger; ++i) {
      TZug& z = Eintrag(L, i);
      bool f = Entschieden(z);
      const int p = z.LISTE_1;
      if (!f && L > 1 && p >= 0 && p <= HTStepListe[L - 1].ZugListeZeiger &&
          vorgaengerFertig_[L - 1][static_cast<std::size_t>(p)]) {
        z.Canceld = true;
        z.ClWay = cwVorgaenger;
        f = true;
      }
      fertig[static_cast<std::size_t>(i)] = f;
      const int n = z.IMTHREAD;
      if (f && L == stepMax && n > 0 && arbeiter.Zelle(n) == i) arbeiter.HTStopThread(n);
    }
  }
}

int HTBaum::NaechsteZelle(int L, bool aeltesteZuerst, bool& offen) {
  offen = false;
  for (const int i : zellenFolge_) {
    const TZug& z = Eintrag(L, i);
    if (Entschieden(z) || z.IMTHREAD > 0) continue;
    offen = true;
    if (!aeltesteZuerst || AeltesteEntschieden(L, i)) return i;
  }
  return -1;
}

bool HTBaum::AeltesteEntschieden(int L, int i) {
  for (int l = L; l >= 1; --l) {
    const int aeltester = aeltester_[l][static_cast<std::size_t>(i)];
    if (i != aeltester && !Entschieden(Eintrag(l, aeltester))) return false;
    i = l > 1 ? Eintrag(l, i).LISTE_1 : -1;
  }
  return true;
}

template <class F>
void HTBaum::JederBlock(int l, F f) {
  if (l == 1) {
    if (HTStepListe[1].ZugListeZeiger >= 0) f(0, HTStepListe[1].ZugListeZeiger);
    return;
  }
  const THTListe& oben = HTStepListe[l - 1];
  for (int p = 0; p <= oben.ZugListeZeiger; ++p) {
    const TZug& e = oben.ZugListe[static_cast<std::size_t>(p)];
    if (e.LISTEVON >= 0 && e.LISTEBIS >= e.LISTEVON) f(e.LISTEVON, e.LISTEBIS);
  }
}

void HTBaum::OrdneWieDerBaum(int L) {
  for (int l = 1; l <= L; ++l) {
    platz_[l].assign(static_cast<std::size_t>(HTStepListe[l].Anzahl()), 0);
    JederBlock(l, [&](int von, int bis) {
      for (int k = von; k <= bis; ++k) platz_[l][static_cast<std::size_t>(k)] = k - von;
    });
  }
  OrdneZellen(L);
}

void HTBaum::OrdneNachIteration(int L) {
  for (int l = 1; l <= L; ++l) {
    JederBlock(l, [&](int von, int bis) {
      folge_.clear();
      for (int k = von; k <= bis; ++k) folge_.push_back(k);
      const auto platz = [&](int k) -> int& { return platz_[l][static_cast<std::size_t>(k)]; };
      std::sort(folge_.begin(), folge_.end(), [&](int a, int b) { return platz(a) < platz(b); });
      if (l == 1) {
        // The root moves by their values, as the search in one thread sorts them.
        BesteZuerst(
            folge_, 0, static_cast<int>(folge_.size()) - 1,
            [&](int k) -> const TZug& { return Eintrag(l, k); }, einst_, host_);
      } else {
        // Below, the reply that valued or cut off its parent comes first, the others keep
        // their order: the values of cut-off and unsearched entries are too rough to sort by.
        int bester = BesterIm(l, von, bis, IstBewertet);
        const int schranke = BesterIm(l, von, bis, IstSchranke);
        if (schranke >= 0 &&
            (bester < 0 || IstBesser(Eintrag(l, bester), Eintrag(l, schranke), einst_, host_)))
          bester = schranke;
        if (bester >= 0) {
          const auto b = std::find(folge_.begin(), folge_.end(), bester);
          std::rotate(folge_.begin(), b, b + 1);
        }
      }
      for (std::size_t k = 0; k < folge_.size(); ++k) platz(folge_[k]) = static_cast<int>(k);
    });
  }
  OrdneZellen(L);
}

void HTBaum::OrdneZellen(int L) {
  for (int l = 1; l <= L; ++l) {
    aeltester_[l].assign(static_cast<std::size_t>(HTStepListe[l].Anzahl()), 0);
    JederBlock(l, [&](int von, int bis) {
      int erster = von;
      for (int k = von; k <= bis; ++k)
        if (platz_[l][static_cast<std::size_t>(k)] == 0) erster = k;
      for (int k = von; k <= bis; ++k) aeltester_[l][static_cast<std::size_t>(k)] = erster;
    });
  }
  // A cell's key: its places from level 1 down.
  const auto schluessel = [&](int i) {
    std::array<int, kMaxSteps + 1> k{};
    for (int l = L; l >= 1; --l) {
      k[static_cast<std::size_t>(l)] = platz_[l][static_cast<std::size_t>(i)];
      i = l > 1 ? Eintrag(l, i).LISTE_1 : 0;
    }
    return k;
  };
  zellenFolge_.clear();
  for (int i = 0; i <= HTStepListe[L].ZugListeZeiger; ++i) zellenFolge_.push_back(i);
  std::sort(zellenFolge_.begin(), zellenFolge_.end(),
            [&](int a, int b) { return schluessel(a) < schluessel(b); });
}

int HTBaum::BesterBewerteter(int L, int i) {
  if (L == 1) return BesterIm(1, 0, HTStepListe[1].ZugListeZeiger, IstBewertet);
  const TZug& eltern = Eintrag(L - 1, Eintrag(L, i).LISTE_1);
  return BesterIm(L, eltern.LISTEVON, eltern.LISTEBIS, IstBewertet);
}

int HTBaum::BesterIm(int L, int von, int bis, bool (*art)(const TZug&)) {
  int bester = -1;
  for (int k = von; k <= bis; ++k) {
    const TZug& z = Eintrag(L, k);
    if (art(z) && (bester < 0 || IstBesser(Eintrag(L, bester), z, einst_, host_))) bester = k;
  }
  return bester;
}

std::string HTBaum::ZellenText(int L, int x) const {
  const TZug& z = HTStepListe[L].ZugListe[static_cast<std::size_t>(x)];
  std::string t = "Zelle ";
  t += std::to_string(x);
  t += '/';
  t += std::to_string(L);
  t += ": ";
  if (z.BEWERTET) t += 'B';
  if (z.Canceld) {
    t += 'C';
    t += std::to_string(z.ClWay);
  }
  t += " TBw ";
  t += std::to_string(z.TEILBEW);
  t += " Th ";
  t += std::to_string(z.IMTHREAD);
  return t;
}

void HTBaum::SchreibeStepListe(std::string& text) const {
  int L0 = 0;
  for (int L = kMaxSteps; L >= 1 && L0 == 0; --L)
    if (HTStepListe[L].ZugListeZeiger >= 0) L0 = L;
  std::array<int, kMaxSteps + 1> letzter{};
  for (int c = 0; L0 > 0 && c <= HTStepListe[L0].ZugListeZeiger; ++c) {
    std::string zeile;
    bool unberuehrt = true;
    int leer = 0;
    int x = c;
    for (int L = L0; L >= 1; --L) {
      if (x < 0 || x > HTStepListe[L].ZugListeZeiger) break;
      if (L < L0 && x > letzter[static_cast<std::size_t>(L)]) {
        letzter[static_cast<std::size_t>(L)] = x;
        ++leer;
      }
      const TZug& z = HTStepListe[L].ZugListe[static_cast<std::size_t>(x)];
      unberuehrt = unberuehrt && !Entschieden(z) && z.TEILBEW == 0 && z.IMTHREAD <= 0;
      zeile += ZellenText(L, x) + "  #  ";
      if (L > 1) x = z.LISTE_1;
    }
    if (unberuehrt) continue;
    for (int k = 0; k < leer; ++k) text += "\r\n";
    text += zeile + "\r\n";
  }
  text += "\r\n\r\n\r\n" + std::string(66, '-') + "\r\n\r\n\r\n";
}

}  // namespace quarne
