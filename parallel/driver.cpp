#include "parallel/driver.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "engine/values.h"

namespace quarne {
namespace {

// The window gets a moment every this many poll passes, and at the latest after this long, so
// that buttons and timers act promptly even when idle passes give the processor away.
constexpr int kAnzeigeIntervall = 10000;
constexpr auto kAnzeigeZeit = std::chrono::milliseconds(20);
constexpr auto kStartZeit = std::chrono::milliseconds(1000);
constexpr auto kSchlafZeit = std::chrono::microseconds(500);
// Steps of this thread's own cell between two passes: short enough that a worker waits little
// for its next cell.
constexpr int kScheibe = 128;

bool Entschieden(const TZug& z) {
  return z.BEWERTET || z.Canceld;
}

// The calling-thread search's options for the same call.
SuchOptionen Einfach(const HTOptionen& o) {
  return {o.KeepTabs || o.NoDisplay, o.Timed, o.FullDepthOnly};
}

bool Gewonnen(const TStep& s) {
  const TZugResZiehend r = s.ZuegeAnzahl > 0 ? s.Zuege[1].Wertung.ZugResGesamt : rsNIL;
  return r == rsWIN || r == rsLOSS;
}

}  // namespace

// The display counters of the poll loop.
struct HTSuche::Abfrage {
  int anzeigeZaehler = 0;
  int punktZaehler = 0;
  std::chrono::steady_clock::time_point letzteAnzeige{};
};

void HTSuche::Verlauf::Kopiere(const SpielVerlauf& v) {
  zuege_.clear();
  farben_.clear();
  for (int i = 1; i <= v.Anzahl(); ++i) {
    zuege_.push_back(v.VorDemZug(i));
    farben_.push_back(v.Farbe(i));
  }
}

HTSuche::HTSuche(Suche& suche, const Einstellungen& einstellungen, Host& host)
    : suche_(suche),
      quelle_(einstellungen),
      einst_(einstellungen),
      host_(host),
      baum_(einst_, host) {}

HTSuche::~HTSuche() {
  HTTerminateThreads();
}

void HTSuche::ErzeugeThreads(int anzahl) {
  anzahl = std::min(anzahl, kMaxThreads);
  if (anzahl < 2 || !threads_.empty()) return;
  // The first worker's cells are searched by this thread between its passes: a thread of its
  // own would leave one more than there are processors, and each hand-over to it would wait for
  // the driver to be scheduled.
  for (int n = 0; n < anzahl; ++n)
    threads_.push_back(std::make_unique<HTQuarne>(
        einst_, suche_.HaltSignal(), suche_.ZiehSignal(), wecker_,
        n == 0 ? HTQuarne::Ausfuehrung::Aufrufer : HTQuarne::Ausfuehrung::EigenerThread));
  threadAnzahl_ = anzahl;
  statistik_.jeArbeiter.assign(static_cast<std::size_t>(anzahl), 0);
  gepostet_.assign(static_cast<std::size_t>(anzahl), Pfad{});
}

void HTSuche::SetzeThreadAnzahl(int n) {
  threadAnzahl_ = std::clamp(n, 0, ErzeugteThreads());
}

void HTSuche::HTTerminateThreads() {
  for (auto& t : threads_) t->Terminate();
  threads_.clear();
  threadAnzahl_ = 0;
}

int HTSuche::Zelle(int n) const {
  return threads_[static_cast<std::size_t>(n - 1)]->Zelle.load();
}

void HTSuche::HTStopThread(int n) {
  HTQuarne& w = Thread(n);
  w.Zelle.store(-1);
  w.ToSuspend.store(true);
}

std::int64_t HTSuche::GenZuegeGesamt() const {
  std::int64_t n = suche_.GenZuege();
  for (int i = 0; i < threadAnzahl_; ++i) n += threads_[static_cast<std::size_t>(i)]->IGenZuege();
  return n;
}

void HTSuche::Suchen(bool parallel, int tiefe, const TZug& zug, int zugNummer, TFarbe farbe,
                     HTOptionen optionen, const SpielVerlauf& verlauf) {
  if (parallel && threadAnzahl_ >= 1)
    HTStepRoutine(tiefe, zug, zugNummer, farbe, optionen, verlauf);
  else
    StepRoutine(tiefe, zug, zugNummer, farbe, Einfach(optionen), verlauf);
}

void HTSuche::SetzeZaehlerZurueck() {
  HTResetThreads();
  for (auto& t : threads_) t->SetzeGenZuegeZurueck();
  suche_.SetzeGenZuegeZurueck();
}

void HTSuche::StepRoutine(int tiefe, const TZug& zug, int zugNummer, TFarbe farbe,
                          SuchOptionen optionen, const SpielVerlauf& verlauf) {
  SetzeZaehlerZurueck();
  suche_.StepRoutine(tiefe, zug, zugNummer, farbe, optionen, verlauf);
}

void HTSuche::HTStepRoutine(int tiefe, const TZug& zug, int zugNummer, TFarbe farbe,
                            HTOptionen optionen, const SpielVerlauf& verlauf) {
  if (threadAnzahl_ < 1) {
    StepRoutine(tiefe, zug, zugNummer, farbe, Einfach(optionen), verlauf);
    return;
  }
  // Whatever ends the search, an error included, no worker may go on with a cell of it.
  struct Aufraeumen {
    HTSuche& h;
    ~Aufraeumen() {
      for (auto& t : h.threads_) t->ToSuspend.store(true);
    }
  } aufraeumen{*this};

  statistik_ = HTStatistik{};
  statistik_.jeArbeiter.assign(threads_.size(), 0);
  // Workers still finishing a cell of the last search read the settings and the game copy.
  HTResetThreads();
  einst_ = quelle_;
  verlauf_.Kopiere(verlauf);
  for (int i = 0; i < threadAnzahl_; ++i)
    threads_[static_cast<std::size_t>(i)]->SetzeGenZuegeZurueck();
  SuchLauf lauf(suche_, {tiefe, &zug, zugNummer, farbe, &verlauf,
                         optionen.KeepTabs || optionen.NoDisplay, optionen.Timed, false});
  const bool schnell = einst_.suchArt == SuchArt::Schnell;
  tabelle_.Groesse(static_cast<std::size_t>(schnell ? std::max(0, einst_.TabelleMB) : 0));
  tabelle_.NeueSuche();

  // Iterations too small to share run as with one thread, on the workers' table, which then
  // orders the first shared one.
  const bool teilen =
      optionen.FullDepthOnly || hierUnter <= 0 || suche_.VertiefeBis(lauf, hierUnter, tabelle_);
  const int vorlauf = statistik_.vorlauf = suche_.FertigeTiefe;
  if (!teilen) {
    lauf.Beende();
    return;
  }
  const Suche::ListenErgebnis liste = suche_.ListenDurchgang(lauf, baum_, vorlauf == 0);
  if (suche_.Angehalten() || suche_.SollZiehen()) {
    // Stopped or told to move during the pass: its result is all there is.
  } else if (suche_.Steps[1].ZuegeAnzahl == 0) {
    suche_.MeldeKeineZuege();
  } else if (!lauf.keepTabs && !einst_.CBVoll && Gewonnen(suche_.MemStep2)) {
    // The pass already found a forced result.
  } else if (liste.StepMax >= lauf.tiefe || liste.done) {
    // Too small to distribute, or already decided: the calling-thread search deepens on.
    if (vorlauf == 0) {
      suche_.VerwirfErgebnis();
      suche_.FertigeTiefe = 0;
    }
    suche_.Vertiefe(lauf, vorlauf + 1, false);
  } else {
    const int erste =
        optionen.FullDepthOnly ? lauf.zielTiefe : std::max(liste.StepMax, vorlauf) + 1;
    Parallel(lauf, liste.StepMax, erste, optionen.FullDepthOnly);
  }
  lauf.Beende();
}

void HTSuche::Parallel(const SuchLauf& lauf, int L, int erste, bool fullDepthOnly) {
  const bool schnell = einst_.suchArt == SuchArt::Schnell;
  for (int i = 0; i < threadAnzahl_; ++i) {
    HTQuarne& w = *threads_[static_cast<std::size_t>(i)];
    w.Vorbereiten(verlauf_, tabelle_);
    w.SetzeVirtuell(lauf.zug);
  }
  baum_.CopyAndSortHTStepListeNeu(L);
  baum_.HTRestoreStepListe();
  baum_.OrdneWieDerBaum(L);
  const int tiefe = lauf.zielTiefe;
  StepListeText.clear();
  // The moves of the last iteration; before the first, all of this thread's so far.
  std::int64_t zuletzt = suche_.GenZuege();
  for (int d = erste; d <= tiefe; ++d) {
    HTResetThreads();
    baum_.HTRestoreStepListe();
    TStep& wurzel = suche_.Steps[1];
    wurzel.STStepMax = d;
    wurzel.STDenkTiefe = tiefe;
    KopiereWurzel();

    const std::int64_t vorher = GenZuegeGesamt();
    Iteriere(lauf, L, d, zuletzt < hierUnter);
    zuletzt = GenZuegeGesamt() - vorher;

    for (const TZug& z : baum_.HTStepListe[L].ZugListe)
      if (z.Canceld && z.ClWay == cwZelle && z.StepMaxZug == d) ++statistik_.abgeschnitten;
    const THTListe& wurzeln = baum_.HTStepListe[1];
    for (int k = 0; k <= wurzeln.ZugListeZeiger && k < kMaxZuege; ++k) {
      const TZug& z = wurzeln.ZugListe[static_cast<std::size_t>(k)];
      if (Entschieden(z)) wurzel.Zuege[k + 1] = z;
    }
    if (suche_.KeineZuege() || suche_.Angehalten() || suche_.SollZiehen()) break;
    if (!lauf.keepTabs && suche_.SichereIteration(tiefe, d, fullDepthOnly)) break;
    if (schnell) baum_.OrdneNachIteration(L);
  }
}

void HTSuche::Iteriere(const SuchLauf& lauf, int L, int d, bool hier) {
  // Searched here, the cells go to the first worker's step stack one by one.
  const int nutzbar = hier ? 1 : threadAnzahl_;
  int zelle = 0;
  bool erschoepft = false;
  // Open cells wait for their eldest siblings until the next merge.
  bool wartend = false;
  // What the next pass does: choose a cell, hand it to a free worker, collect what the workers
  // found, or merge it into the tree.
  enum class Zustand { Waehlen, Vergeben, Abholen, Zusammenfuehren };
  Zustand zustand = Zustand::Waehlen;
  Abfrage abfrage;
  abfrage.letzteAnzeige = std::chrono::steady_clock::now();
  for (;;) {
    ++statistik_.durchlaeufe;
    // What the workers reported before this pass looked at them; an idle pass waits for more.
    const std::uint64_t gesehen = wecker_.Stand();
    HTAnzeige(lauf, abfrage, lauf.zielTiefe, d);
    // The window may have closed and ended the workers meanwhile.
    if (suche_.Angehalten() || suche_.SollZiehen() || threads_.empty()) break;
    PruefeThreads();
    // A pass that can only wait for a worker gives the processor away.
    bool leer = false;
    if (zustand == Zustand::Waehlen) {
      bool offen = false;
      // A cell waits for its eldest siblings only while some worker is busy: the wait must
      // never keep the search from going on.
      bool beschaeftigt = false;
      for (int n = 1; n <= threadAnzahl_ && !beschaeftigt; ++n)
        beschaeftigt = Thread(n).Zelle.load() >= 0;
      zelle = baum_.NaechsteZelle(L, einst_.suchArt == SuchArt::Schnell && beschaeftigt, offen);
      erschoepft = !offen;
      wartend = offen && zelle < 0;
      zustand = zelle < 0 ? Zustand::Abholen : Zustand::Vergeben;
    } else if (zustand == Zustand::Vergeben) {
      int frei = 0;
      for (int n = 1; n <= nutzbar && frei == 0; ++n)
        if (Thread(n).Suspended() && Thread(n).Zelle.load() == -1) frei = n;
      if (frei == 0) {
        zustand = Zustand::Abholen;
      } else {
        BestueckeThread(frei, zelle, L, d, lauf);
        HTQuarne& w = Thread(frei);
        if (nachBestuecken) nachBestuecken(w);
        ++statistik_.ausgegeben;
        ++statistik_.jeArbeiter[static_cast<std::size_t>(frei - 1)];
        if (hier) ++statistik_.hier;
        if (w.ImAufrufer())
          w.BeginneImAufrufer();
        else
          w.Wecke();
        zustand = Zustand::Waehlen;
      }
    } else if (zustand == Zustand::Abholen) {
      if (++abfrage.punktZaehler > kAnzeigeIntervall + 1) abfrage.punktZaehler = 0;
      if (abfrage.punktZaehler == kAnzeigeIntervall) host_.Aktivitaetspunkt();
      bool freierDa = false;
      for (int n = 1; n <= nutzbar && !erschoepft && !wartend && !freierDa; ++n)
        freierDa = Thread(n).Zelle.load() == -1 && Thread(n).Suspended();
      if (freierDa) {
        zustand = Zustand::Waehlen;
      } else {
        const bool bekommen = HTAbholen(L);
        if (bekommen) zustand = Zustand::Zusammenfuehren;
        // Between two looks at the workers this thread searches its own cell for a while.
        HTQuarne& eigener = Thread(1);
        if (eigener.Suspended())
          leer = !bekommen;
        else
          eigener.ScheibeImAufrufer(kScheibe);
      }
    } else {
      ++statistik_.zusammenfuehrungen;
      if (baum_.HTAuswerten(L, d, *this)) break;
      PosteSchranken(L);
      wartend = false;
      zustand = erschoepft ? Zustand::Abholen : Zustand::Waehlen;
    }
    if (leer) Warten(gesehen);
  }
}

void HTSuche::KopiereWurzel() {
  // The root step follows level 1 of the tree entry for entry, so that it never holds a move
  // twice; open entries show their first ply.
  TStep& wurzel = suche_.Steps[1];
  const THTListe& wurzeln = baum_.HTStepListe[1];
  for (int k = 0; k <= wurzeln.ZugListeZeiger && k < kMaxZuege; ++k) {
    TZug& z = wurzel.Zuege[k + 1];
    z = wurzeln.ZugListe[static_cast<std::size_t>(k)];
    if (!Entschieden(z)) z.StepMaxZug = 1;
  }
}

void HTSuche::HTAnzeige(const SuchLauf& lauf, Abfrage& abfrage, int tiefe, int d) {
  const auto jetzt = std::chrono::steady_clock::now();
  if (++abfrage.anzeigeZaehler < kAnzeigeIntervall && jetzt - abfrage.letzteAnzeige < kAnzeigeZeit)
    return;
  abfrage.letzteAnzeige = jetzt;
  for (auto& t : threads_) t->Hole(meldungen_);
  for (const std::string& m : meldungen_) host_.Meldung(m);
  meldungen_.clear();
  if (lauf.timed) {
    const std::int64_t ms = host_.JetztMs();
    if (ms > lauf.deadline) {
      suche_.ZieheJetzt();
      host_.VerarbeiteEreignisse();
      return;
    }
    host_.ZeigeRestDenkzeit((lauf.deadline - ms) / 1000);
  }
  if (lauf.Anzeigen()) host_.Fortschritt(tiefe, d);
  host_.VerarbeiteEreignisse();
  abfrage.anzeigeZaehler = 0;
  KopiereWurzel();
}

void HTSuche::PruefeThreads() {
  for (int n = 1; n <= threadAnzahl_; ++n) {
    HTQuarne& w = Thread(n);
    if (w.StartUeberfaellig(kStartZeit)) throw std::runtime_error("TimeOut Thread Start !");
    if (!w.HatFehler()) continue;
    throw std::runtime_error("Die Suche wurde abgebrochen: Fehler in Thread " + std::to_string(n) +
                             ": " + w.Fehler());
  }
}

void HTSuche::Warten(std::uint64_t gesehen) {
  ++statistik_.leerlauf;
  switch (leerlauf) {
    case Leerlauf::Kreisen:
      break;
    case Leerlauf::Abgeben:
      std::this_thread::yield();
      break;
    case Leerlauf::Schlafen:
      wecker_.Warte(gesehen, kSchlafZeit);
      break;
  }
}

void HTSuche::HTResetThreads() {
  // All workers, also those beyond a lowered count that may still finish a cell.
  for (int n = 1; n <= ErzeugteThreads(); ++n) {
    HTQuarne& w = Thread(n);
    w.ToSuspend.store(true);
    w.WarteAufPark();
    w.ToSuspend.store(false);
    w.Ready.store(false);
    w.GibRW();
    w.Zelle.store(-1);
    w.LoescheFehler();
    w.Hole(meldungen_);
  }
}

HTSuche::Pfad HTSuche::PfadZu(int L, int zelle) {
  Pfad pfad{};
  pfad[static_cast<std::size_t>(L)] = zelle;
  for (int s = L; s >= 1; --s) {
    const int x = pfad[static_cast<std::size_t>(s)];
    if (x < 0 || x > baum_.HTStepListe[s].ZugListeZeiger) {
      host_.Meldung("Fehler 02 in Bestücke Thread!");
      throw std::runtime_error("Fehler 02 in Bestücke Thread!");
    }
    if (s > 1)
      pfad[static_cast<std::size_t>(s - 1)] =
          baum_.HTStepListe[s].ZugListe[static_cast<std::size_t>(x)].LISTE_1;
  }
  return pfad;
}

HTSuche::Pfad HTSuche::BesteAmPfad(const Pfad& pfad, int L) {
  Pfad beste{};
  beste.fill(-1);
  if (einst_.suchArt != SuchArt::Schnell) return beste;
  for (int s = 1; s <= L; ++s)
    beste[static_cast<std::size_t>(s)] =
        baum_.BesterBewerteter(s, pfad[static_cast<std::size_t>(s)]);
  return beste;
}

HTQuarne::Schranken HTSuche::Eintraege(const Pfad& beste, int L) {
  HTQuarne::Schranken z{};
  for (int s = 1; s <= L; ++s) {
    const int i = beste[static_cast<std::size_t>(s)];
    z[s] = i < 0 ? nullptr : &baum_.HTStepListe[s].ZugListe[static_cast<std::size_t>(i)];
  }
  return z;
}

void HTSuche::BestueckeThread(int n, int zelle, int L, int d, const SuchLauf& lauf) {
  const Pfad pfad = PfadZu(L, zelle);
  HTQuarne& w = Thread(n);
  w.TRDenkTiefe = lauf.zielTiefe;
  w.TRStepMax = d;
  w.TRLetzterZug = lauf.zug;
  w.TRZugNummer = lauf.zugNummer;
  w.TRFarbeZiehend = lauf.farbe;
  w.Zelle.store(zelle);
  w.TRHTTiefe = L;
  w.Ready.store(false);
  w.ToSuspend.store(false);
  for (int s = 1; s <= L; ++s) {
    const TZug& e =
        baum_.HTStepListe[s].ZugListe[static_cast<std::size_t>(pfad[static_cast<std::size_t>(s)])];
    if (e.BEWERTET) host_.Meldung("(Vor)Zug bereits bewertet in Bestücke Thread!");
    if (e.Canceld) host_.Meldung("(Vor)Zug bereits gecancelt in Bestücke Thread!");
    if (s == 1) {
      w.BereiteStepVor(1, lauf.zug, lauf.zugNummer, lauf.farbe);
      w.Steps[1].STStepMax = d;
      w.Steps[1].STDenkTiefe = lauf.zielTiefe;
    } else {
      w.BereiteStepVor(s);
    }
    TStep& st = w.Steps[s];
    st.Zuege[1] = e;
    st.ZZ[1] = 1;
    st.ZuegeAnzahl = 1;
    st.ZugZeiger = s < L ? 1 : 0;
  }
  // The fast search cuts by the best each ply of the tree has so far, the cell's own included.
  Pfad& beste = gepostet_[static_cast<std::size_t>(n - 1)];
  beste = BesteAmPfad(pfad, L);
  w.SetzeSchranken(Eintraege(beste, L));
  w.SetzeTeilBew(w.ZellRecord().TEILBEW);
  baum_.HTStepListe[L].ZugListe[static_cast<std::size_t>(zelle)].IMTHREAD = n;
}

void HTSuche::PosteSchranken(int L) {
  for (int n = 1; n <= threadAnzahl_; ++n) {
    HTQuarne& w = Thread(n);
    const int zelle = w.Zelle.load();
    if (zelle < 0 || w.Suspended() || w.ToSuspend.load()) continue;
    const Pfad beste = BesteAmPfad(PfadZu(L, zelle), L);
    Pfad& alt = gepostet_[static_cast<std::size_t>(n - 1)];
    if (beste == alt) continue;
    alt = beste;
    w.PosteSchranken(Eintraege(beste, L));
  }
}

bool HTSuche::HTAbholen(int L) {
  bool bekommen = false;
  THTListe& zellen = baum_.HTStepListe[L];
  for (int n = 1; n <= threadAnzahl_; ++n) {
    HTQuarne& w = Thread(n);
    const int zelle = w.Zelle.load();
    if (zelle < 0) continue;
    if (zelle > zellen.ZugListeZeiger) {
      HTStopThread(n);
      continue;
    }
    TZug& e = zellen.ZugListe[static_cast<std::size_t>(zelle)];
    if (Entschieden(e)) {
      HTStopThread(n);
    } else if (w.Suspended()) {
      const TZug& record = w.ZellRecord();
      if (!w.Ready.load()) host_.Meldung("Thread müßte READY sein");
      if (e.IMTHREAD != n) host_.Meldung("ImThread <> Thread #01");
      if (!record.BEWERTET && record.ClWay != cwSchranke)
        host_.Meldung("Zug im suspended Thread NOT BEWERTET!");
      e = record;
      e.IMTHREAD = n;
      e.StepMaxZug = static_cast<std::uint8_t>(w.TRStepMax);
      ++statistik_.fertig;
      if (record.ClWay == cwSchranke) ++statistik_.schranken;
      bekommen = true;
      w.Zelle.store(-1);
    } else if (!w.ToSuspend.load() && w.TeilBew() > e.TEILBEW && (!w.ImAufrufer() || w.RWFrei())) {
      if (w.NimmRW()) host_.Wartemarke();
      const TZug& record = w.ZellRecord();
      if (e.IMTHREAD != n) host_.Meldung("Zelle.ImThread <> Thread #02");
      e.Wertung = record.Wertung;
      e.TEILBEW = record.TEILBEW;
      if (L == 1)
        for (int k = 1; k <= w.TRStepMax; ++k) e.SmartZuege[k] = record.SmartZuege[k];
      w.GibRW();
      ++statistik_.teilwerte;
      bekommen = true;
    }
  }
  return bekommen;
}

}  // namespace quarne
