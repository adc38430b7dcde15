// A worker thread of the parallel search. It searches one cell of the cell tree to the depth of
// the running iteration on a step stack of its own, with the same generation, tests and value
// rules as the search in the calling thread, publishes the cell's value while it is partial and
// again when it is final, and parks itself until the driver wakes it for the next cell.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/step_loop.h"

namespace quarne {

// Lets the driver wait for "something happened" (a worker published or parked) with a bound.
class Wecker {
 public:
  void Melde();
  std::uint64_t Stand() const { return stand_.load(std::memory_order_acquire); }
  // Returns when the state moved on from gesehen, or after the time.
  void Warte(std::uint64_t gesehen, std::chrono::microseconds zeit);

 private:
  std::mutex m_;
  std::condition_variable cv_;
  std::atomic<std::uint64_t> stand_{0};
};

// Consistency messages of a worker wait here until the driver shows them in the window's
// thread.
class MeldungsPuffer : public Host {
 public:
  void Meldung(std::string_view text) override;
  void VerarbeiteEreignisse() override {}
  std::int64_t JetztMs() override;
  // Moves the waiting messages to ziel.
  void Hole(std::vector<std::string>& ziel);

 private:
  std::mutex m_;
  std::vector<std::string> meldungen_;
  std::atomic<bool> wartend_{false};
};

class HTQuarne final : private MeldungsPuffer, public StepSchleife {
 public:
  // Who searches the worker's cells: a thread of its own, or the driver in the calling thread,
  // a slice at a time between its passes.
  enum class Ausfuehrung { EigenerThread, Aufrufer };

  // einstellungen is the driver's copy, read when the driver calls Vorbereiten.
  HTQuarne(const Einstellungen& einstellungen, const std::atomic<bool>& stopFlag,
           const std::atomic<bool>& moveNowFlag, Wecker& wecker,
           Ausfuehrung ausfuehrung = Ausfuehrung::EigenerThread);
  ~HTQuarne() override;

  // Control fields. The task fields are written by the driver while the worker is parked.
  std::atomic<bool> ToSuspend{false};
  std::atomic<bool> Ready{false};
  std::atomic<int> Zelle{0};
  int TRDenkTiefe = 0;
  int TRStepMax = 0;
  int TRHTTiefe = 0;
  TZug TRLetzterZug{};
  int TRZugNummer = 0;
  TFarbe TRFarbeZiehend = clWeiss;

  std::int64_t IGenZuege() const { return GenZuege(); }
  // The cell record: the worker's copy of the cell, guarded by RW while the worker runs.
  TZug& ZellRecord() { return Steps[TRHTTiefe].Zuege[1]; }
  // Its TEILBEW, readable without the lock.
  std::uint8_t TeilBew() const { return teilBew_.load(std::memory_order_acquire); }
  void SetzeTeilBew(std::uint8_t n) { teilBew_.store(n, std::memory_order_release); }

  // RW, the lock over the cell record: an atomic test-and-set. NimmRW says whether it had to
  // wait.
  bool NimmRW();
  void GibRW() { rw_.clear(std::memory_order_release); }
  // Nobody holds RW. A worker searched in the calling thread may hold it from one slice to the
  // next: the driver, in the same thread, must not wait for it then.
  bool RWFrei() const { return !rw_.test(std::memory_order_acquire); }

  // Park and wake. A wake is never lost. From the wake on the worker counts as running, before
  // its thread takes the wake, so that whoever woke it need not wait; its task fields and
  // ToSuspend and Ready are set before the wake.
  bool Suspended() const { return suspended_.load(std::memory_order_acquire); }
  void Wecke();
  // The thread has not taken a wake for longer than grenze.
  bool StartUeberfaellig(std::chrono::milliseconds grenze);
  // Waits until the worker is parked; one searched in the calling thread leaves its cell.
  void WarteAufPark();
  // A worker searched in the calling thread: Beginne starts the cell it was given, in place of
  // the wake; each slice then takes up to n steps of it and says whether the worker has parked
  // (its cell done, given up, or ended by an error, which is kept as in a thread).
  bool ImAufrufer() const { return ausfuehrung_ == Ausfuehrung::Aufrufer; }
  void BeginneImAufrufer();
  bool ScheibeImAufrufer(int n);
  // Ends the thread, at once even in the middle of a cell, and joins it.
  void Terminate();

  // The best exactly valued entry the tree has so far at each ply down to the cell, the cell's
  // own siblings included; nullptr where there is none. The fast search cuts by them. Setze
  // while parked, before the cell; Poste while the cell runs, when the tree knows better ones:
  // the worker takes them between two steps.
  using Schranken = Array1<const TZug*, kMaxSteps>;
  void SetzeSchranken(const Schranken& beste);
  void PosteSchranken(const Schranken& beste);

  // Settings copy and game history for the next search, which orders its moves afresh and
  // shares the subtrees it values through the driver's table; only while parked.
  void Vorbereiten(const SpielVerlauf& verlauf, Transpositionstabelle& tabelle);
  // An error ended the worker's last cell: its text; empty when none.
  std::string Fehler();
  bool HatFehler() const { return hatFehler_.load(std::memory_order_acquire); }
  void LoescheFehler();
  using MeldungsPuffer::Hole;

 protected:
  void Veroeffentliche(int s) override;
  void BeginneElternWert(int s) override;
  void BeendeElternWert() override;
  int Blockade(int s) override;

 private:
  void Execute();
  void Park();
  // What parking leaves behind, whoever parks.
  void Geparkt();
  // A worker searched in the calling thread parks, leaving its cell where it is.
  void ParkeImAufrufer();
  // The cell's final value came from a bound of the tree above it: the driver takes it as such,
  // not as exact.
  void MeldeSchranke();
  // Takes the bounds posted last.
  void HoleSchranken();
  // One pass of the loop: the control fields, then the task, which is the worker's state
  // between passes (the stage of the step loop while it searches a cell).
  void Durchlauf();
  // The task's part of a pass: start the cell or take one step of it.
  void Arbeite();
  // The cell is done, given up, or the search stopped.
  bool SollParken() const;
  // The cell is lost: the error is kept for the driver, which ends the search, and the worker
  // parks.
  void Scheitere(const std::exception& e);

  const std::atomic<bool>& stopFlag_;
  const std::atomic<bool>& moveNowFlag_;
  Wecker& wecker_;
  const Ausfuehrung ausfuehrung_;

  // The loop's own state.
  Lage lage_{agSuspend};
  // RW was taken for a blockade and is held until the value is passed up; RW is held while a
  // value is passed up.
  bool rwGehalten_ = false;
  bool rwBeimEltern_ = false;

  // Bounds posted for the running cell, and the cell's best sibling taken from them.
  std::mutex postM_;
  Array1<TZug, kMaxSteps> post_{};
  Array1<bool, kMaxSteps> postHat_{};
  std::atomic<std::uint32_t> postStand_{0};
  std::uint32_t postGesehen_ = 0;
  TZug geschwister_{};
  bool hatGeschwister_ = false;

  std::atomic_flag rw_;
  std::atomic<std::uint8_t> teilBew_{0};
  std::atomic<bool> suspended_{false};
  std::atomic<bool> terminated_{false};
  std::atomic<bool> hatFehler_{false};
  std::mutex m_;
  std::condition_variable cv_;
  bool weckAnfrage_ = false;
  std::chrono::steady_clock::time_point geweckt_{};
  std::string fehler_;
  std::thread thread_;
};

}  // namespace quarne
