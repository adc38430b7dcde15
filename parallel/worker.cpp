#include "parallel/worker.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

namespace quarne {

void Wecker::Melde() {
  {
    const std::lock_guard<std::mutex> lk(m_);
    stand_.fetch_add(1, std::memory_order_acq_rel);
  }
  cv_.notify_one();
}

void Wecker::Warte(std::uint64_t gesehen, std::chrono::microseconds zeit) {
  std::unique_lock<std::mutex> lk(m_);
  cv_.wait_for(lk, zeit, [&] { return stand_.load(std::memory_order_acquire) != gesehen; });
}

void MeldungsPuffer::Meldung(std::string_view text) {
  const std::lock_guard<std::mutex> lk(m_);
  meldungen_.emplace_back(text);
  wartend_.store(true, std::memory_order_release);
}

std::int64_t MeldungsPuffer::JetztMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void MeldungsPuffer::Hole(std::vector<std::string>& ziel) {
  if (!wartend_.load(std::memory_order_acquire)) return;
  const std::lock_guard<std::mutex> lk(m_);
  for (std::string& m : meldungen_) ziel.push_back(std::move(m));
  meldungen_.clear();
  wartend_.store(false, std::memory_order_release);
}

HTQuarne::HTQuarne(const Einstellungen& einstellungen, const std::atomic<bool>& stopFlag,
                   const std::atomic<bool>& moveNowFlag, Wecker& wecker)
    : StepStack(einstellungen, static_cast<MeldungsPuffer&>(*this)),
      stopFlag_(stopFlag),
      moveNowFlag_(moveNowFlag),
      wecker_(wecker) {
  thread_ = std::thread([this] { Execute(); });
}

HTQuarne::~HTQuarne() {
  Terminate();
}

bool HTQuarne::NimmRW() {
  if (!rw_.test_and_set(std::memory_order_acquire)) return false;
  while (rw_.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
  return true;
}

std::uint64_t HTQuarne::Laeufe() {
  const std::lock_guard<std::mutex> lk(m_);
  return laeufe_;
}

void HTQuarne::Wecke() {
  {
    const std::lock_guard<std::mutex> lk(m_);
    weckAnfrage_ = true;
  }
  cv_.notify_all();
}

bool HTQuarne::WarteAufLauf(std::uint64_t alt, int timeoutMs) {
  std::unique_lock<std::mutex> lk(m_);
  return cv_.wait_for(lk, std::chrono::milliseconds(timeoutMs), [&] {
    return laeufe_ != alt || terminated_.load(std::memory_order_acquire);
  });
}

void HTQuarne::WarteAufPark() {
  std::unique_lock<std::mutex> lk(m_);
  cv_.wait(lk, [&] { return Suspended() || !thread_.joinable(); });
}

void HTQuarne::Terminate() {
  {
    const std::lock_guard<std::mutex> lk(m_);
    terminated_.store(true, std::memory_order_release);
  }
  cv_.notify_all();
  if (thread_.joinable()) thread_.join();
  cv_.notify_all();
}

void HTQuarne::Vorbereiten(const SpielVerlauf& verlauf) {
  UebernimmEinstellungen();
  SetzeVerlauf(verlauf);
}

std::string HTQuarne::Fehler() {
  const std::lock_guard<std::mutex> lk(m_);
  return fehler_;
}

void HTQuarne::LoescheFehler() {
  const std::lock_guard<std::mutex> lk(m_);
  fehler_.clear();
  hatFehler_.store(false, std::memory_order_release);
}

void HTQuarne::Park() {
  std::unique_lock<std::mutex> lk(m_);
  suspended_.store(true, std::memory_order_release);
  // Reported under the lock, so that whoever sees the worker parked has seen the report too.
  wecker_.Melde();
  cv_.notify_all();
  cv_.wait(lk, [&] { return weckAnfrage_ || terminated_.load(std::memory_order_acquire); });
  weckAnfrage_ = false;
  // Cleared before the driver sees the worker running, so that a cancel it sends from then on
  // is never lost.
  TRCounter.store(0, std::memory_order_relaxed);
  ToSuspend.store(false);
  Ready.store(false);
  rw_.clear(std::memory_order_release);
  rwGehalten_ = false;
  suspended_.store(false, std::memory_order_release);
  ++laeufe_;
  lk.unlock();
  cv_.notify_all();
}

void HTQuarne::Execute() {
  rwGehalten_ = false;
  ToSuspend.store(true);
  aufgabe_ = agSuspend;
  while (!terminated_.load(std::memory_order_acquire)) {
    try {
      Schritt();
    } catch (const std::exception& e) {
      // The cell is lost; the worker reports why and parks, so that the driver can end the
      // search instead of waiting for it.
      {
        const std::lock_guard<std::mutex> lk(m_);
        fehler_ = e.what();
        hatFehler_.store(true, std::memory_order_release);
      }
      if (rwGehalten_) GibRW();
      rwGehalten_ = false;
      ToSuspend.store(true);
      aufgabe_ = agSuspend;
    }
  }
  {
    const std::lock_guard<std::mutex> lk(m_);
    suspended_.store(true, std::memory_order_release);
  }
  cv_.notify_all();
}

void HTQuarne::Schritt() {
  TRCounter.fetch_add(1, std::memory_order_relaxed);
  if (ToExit.load()) aufgabe_ = agExit;
  if (ToSuspend.load() || ToReset.load()) aufgabe_ = agSuspend;
  if (stopFlag_.load() || moveNowFlag_.load()) aufgabe_ = agSuspend;
  int& s = s_;
  switch (aufgabe_) {
    case agSuspend:
      Park();
      aufgabe_ = agStart;
      break;

    case agStart:
      // A cell below the stack, or no ply left to search below it, cannot be searched.
      if (TRHTTiefe < 1 || TRStepMax <= TRHTTiefe || TRStepMax > kMaxSteps)
        throw std::runtime_error("Fehlermeldung");
      s = TRHTTiefe;
      Steps[1].STStepMax = TRStepMax;
      Steps[1].STDenkTiefe = TRDenkTiefe;
      hint_ = 0;
      hintRes_ = hrNone;
      aufgabe_ = agNextMove;
      break;

    case agNextMove: {
      TStep& st = Steps[s];
      if (st.ZugZeiger < st.ZuegeAnzahl) {
        if (NaechsterZug(s, TRStepMax)) aufgabe_ = agStepInc;
      } else if (s == TRHTTiefe) {
        ToSuspend.store(true);
        Ready.store(true);
      } else if (Steps[s - 1].ZugZeiger == 1) {
        aufgabe_ = agBewertung;
      } else {
        ElternUeberstanden(s, TRStepMax, TRHTTiefe);
      }
      break;
    }

    case agStepInc:
      ++s;
      if (s > TRStepMax) throw std::runtime_error("Fehlermeldung");
      BereiteStepVor(s);
      aufgabe_ = agGenZuege;
      break;

    case agGenZuege: {
      GenModus modus;
      modus.stepMax = TRStepMax;
      modus.stepIsMax = s == TRStepMax;
      modus.alleZuege = s == 1;
      modus.imThreadNull = false;
      bool toCancel = false;
      if (HTGenMoves(s, modus, toCancel)) {
        hint_ = Steps[s].ZuegeAnzahl;
        hintRes_ = hrQuarne;
        aufgabe_ = agBewertung;
        break;
      }
      hint_ = 0;
      if (toCancel) {
        --s;
        aufgabe_ = agNextMove;
        break;
      }
      if (s < TRStepMax) HTSortiere(s, TRStepMax);
      if (Steps[s].ZuegeAnzahl == 0 && !Steps[s].Virtuell) {
        // The side to move is blocked: the move that led here wins.
        --s;
        NimmRW();
        rwGehalten_ = true;
        hint_ = BlockadeGewinn(s);
        AktuellerZug(s).TEILBEW = 0;
        if (s == TRHTTiefe) SetzeTeilBew(0);
        hintRes_ = hrBlock;
        aufgabe_ = agBewertung;
      } else {
        aufgabe_ = agNextMove;
      }
      break;
    }

    case agBewertung:
      if (s > TRHTTiefe) {
        bool halte = rwGehalten_;
        rwGehalten_ = false;
        if (!halte && s == TRHTTiefe + 1) {
          NimmRW();
          halte = true;
        }
        BewerteEltern(s, TRStepMax, hint_, hintRes_);
        if (halte) GibRW();
        if (HTTestung(s, TRStepMax, false)) --s;
        aufgabe_ = agNextMove;
      } else {
        // The cell move itself leaves the opponent without a move.
        if (!rwGehalten_) NimmRW();
        rwGehalten_ = false;
        if (hint_ > 0) GetBesterZug(s, TRStepMax, hint_, hintRes_);
        AktuellerZug(s).BEWERTET = true;
        ToSuspend.store(true);
        Ready.store(true);
        GibRW();
      }
      break;

    case agExit:
      terminated_.store(true, std::memory_order_release);
      break;

    default:
      break;
  }
}

bool HTQuarne::HTTestung(int s, int d, bool einstiegNextMove) {
  if (!einstiegNextMove && !AktualisiereBesterZug(s)) return false;
  // The worker never cuts at the cell's own ply: the driver decides about cells.
  if (s == TRHTTiefe) return false;
  if (Steps[s - 1].ZugZeiger == 1 && s > TRHTTiefe + 1) return false;
  if (s == TRHTTiefe + 1) {
    Veroeffentliche(s);
    return false;
  }
  return SchneideAb(s, d);
}

void HTQuarne::Veroeffentliche(int s) {
  if (Steps[s].BesterZug == 0) return;
  NimmRW();
  TZug& zelle = ZellRecord();
  zelle.Wertung = VorlaeufigerWert(s);
  // The count only tells the driver that something new is there; it stops short of wrapping.
  zelle.TEILBEW = static_cast<std::uint8_t>(std::min(zelle.TEILBEW + 1, 255));
  SetzeTeilBew(zelle.TEILBEW);
  if (s == 2) HTCopySmart(s, TRStepMax);
  GibRW();
  wecker_.Melde();
}

}  // namespace quarne
