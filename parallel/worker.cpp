#include "parallel/worker.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

namespace quarne {
namespace {

constexpr auto kWachBleiben = std::chrono::microseconds(200);

}  // namespace

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
                   const std::atomic<bool>& moveNowFlag, Wecker& wecker, Ausfuehrung ausfuehrung)
    : StepSchleife(einstellungen, static_cast<MeldungsPuffer&>(*this)),
      stopFlag_(stopFlag),
      moveNowFlag_(moveNowFlag),
      wecker_(wecker),
      ausfuehrung_(ausfuehrung) {
  if (ImAufrufer()) {
    ToSuspend.store(true);
    suspended_.store(true, std::memory_order_release);
  } else {
    thread_ = std::thread([this] { Execute(); });
  }
}

HTQuarne::~HTQuarne() {
  Terminate();
}

bool HTQuarne::NimmRW() {
  if (!rw_.test_and_set(std::memory_order_acquire)) return false;
  while (rw_.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
  return true;
}

void HTQuarne::Wecke() {
  {
    const std::lock_guard<std::mutex> lk(m_);
    weckAnfrage_ = true;
    geweckt_ = std::chrono::steady_clock::now();
    suspended_.store(false, std::memory_order_release);
  }
  cv_.notify_all();
}

bool HTQuarne::StartUeberfaellig(std::chrono::milliseconds grenze) {
  const std::lock_guard<std::mutex> lk(m_);
  return weckAnfrage_ && std::chrono::steady_clock::now() - geweckt_ > grenze;
}

void HTQuarne::WarteAufPark() {
  if (ImAufrufer()) {
    if (!Suspended()) {
      ToSuspend.store(true);
      ParkeImAufrufer();
    }
    return;
  }
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

void HTQuarne::Vorbereiten(const SpielVerlauf& verlauf, Transpositionstabelle& tabelle) {
  UebernimmEinstellungen();
  SetzeVerlauf(verlauf);
  VergissOrdnung(tabelle);
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
  // A wake that came before the thread got here is taken at once: the worker already counts as
  // running.
  if (!weckAnfrage_) {
    suspended_.store(true, std::memory_order_release);
    // Reported under the lock, so that whoever sees the worker parked has seen the report too.
    wecker_.Melde();
    cv_.notify_all();
    // The next cell usually follows within microseconds: waiting for it awake for a moment
    // saves falling asleep and being woken. The wake clears suspended_ under the lock.
    lk.unlock();
    const auto bis = std::chrono::steady_clock::now() + kWachBleiben;
    while (suspended_.load(std::memory_order_acquire) &&
           !terminated_.load(std::memory_order_acquire) && std::chrono::steady_clock::now() < bis)
      std::this_thread::yield();
    lk.lock();
    cv_.wait(lk, [&] { return weckAnfrage_ || terminated_.load(std::memory_order_acquire); });
  }
  weckAnfrage_ = false;
  Geparkt();
  lk.unlock();
  cv_.notify_all();
}

void HTQuarne::Geparkt() {
  rw_.clear(std::memory_order_release);
  rwGehalten_ = rwBeimEltern_ = false;
}

void HTQuarne::Execute() {
  rwGehalten_ = false;
  ToSuspend.store(true);
  lage_.stage = agSuspend;
  while (!terminated_.load(std::memory_order_acquire)) {
    try {
      Durchlauf();
    } catch (const std::exception& e) {
      Scheitere(e);
    }
  }
  {
    const std::lock_guard<std::mutex> lk(m_);
    suspended_.store(true, std::memory_order_release);
  }
  cv_.notify_all();
}

void HTQuarne::BeginneImAufrufer() {
  lage_.stage = agStart;
  suspended_.store(false, std::memory_order_release);
}

bool HTQuarne::ScheibeImAufrufer(int n) {
  try {
    for (int i = 0; i < n && !SollParken(); ++i) Arbeite();
  } catch (const std::exception& e) {
    Scheitere(e);
  }
  if (!SollParken()) return false;
  ParkeImAufrufer();
  return true;
}

void HTQuarne::ParkeImAufrufer() {
  lage_.stage = agSuspend;
  Geparkt();
  suspended_.store(true, std::memory_order_release);
}

void HTQuarne::Scheitere(const std::exception& e) {
  {
    const std::lock_guard<std::mutex> lk(m_);
    fehler_ = e.what();
    hatFehler_.store(true, std::memory_order_release);
  }
  if (rwGehalten_ || rwBeimEltern_) GibRW();
  rwGehalten_ = rwBeimEltern_ = false;
  ToSuspend.store(true);
  lage_.stage = agSuspend;
}

bool HTQuarne::SollParken() const {
  return ToSuspend.load() || stopFlag_.load() || moveNowFlag_.load();
}

void HTQuarne::Durchlauf() {
  if (SollParken()) lage_.stage = agSuspend;
  if (lage_.stage == agSuspend) {
    Park();
    lage_.stage = agStart;
  } else {
    Arbeite();
  }
}

void HTQuarne::Arbeite() {
  if (lage_.stage == agStart) {
    // A cell below the stack, or no ply left to search below it, cannot be searched.
    if (TRHTTiefe < 1 || TRStepMax <= TRHTTiefe || TRStepMax > kMaxSteps)
      throw std::runtime_error("Die Zelle in Ply " + std::to_string(TRHTTiefe) +
                               " lässt bis zur Tiefe " + std::to_string(TRStepMax) +
                               " nichts zu suchen.");
    Steps[1].STStepMax = TRStepMax;
    Steps[1].STDenkTiefe = TRDenkTiefe;
    Rahmen r;
    r.modus = Modus::Zelle;
    r.d = TRStepMax;
    r.oben = TRHTTiefe;
    r.geschwister = hatGeschwister_ ? &geschwister_ : nullptr;
    BeginneIteration(r);
    lage_ = Lage{agNextMove, TRHTTiefe, 0, hrNone};
    return;
  }
  if (postStand_.load(std::memory_order_acquire) != postGesehen_) HoleSchranken();
  if (Schritt(lage_) == Ergebnis::ZelleFertig) {
    if (ZugUngenau(TRHTTiefe)) MeldeSchranke();
    ToSuspend.store(true);
    Ready.store(true);
  }
}

int HTQuarne::Blockade(int s) {
  NimmRW();
  rwGehalten_ = true;
  const int index = StepSchleife::Blockade(s);
  AktuellerZug(s).TEILBEW = 0;
  if (s == TRHTTiefe) SetzeTeilBew(0);
  return index;
}

void HTQuarne::BeginneElternWert(int s) {
  // The value of the cell itself is written under RW.
  rwBeimEltern_ = rwGehalten_;
  rwGehalten_ = false;
  if (!rwBeimEltern_ && s <= TRHTTiefe + 1) {
    NimmRW();
    rwBeimEltern_ = true;
  }
}

void HTQuarne::BeendeElternWert() {
  if (rwBeimEltern_) GibRW();
  rwBeimEltern_ = false;
}

void HTQuarne::SetzeSchranken(const Schranken& beste) {
  PosteSchranken(beste);
  HoleSchranken();
}

void HTQuarne::PosteSchranken(const Schranken& beste) {
  const std::lock_guard<std::mutex> lk(postM_);
  for (int s = 1; s <= TRHTTiefe; ++s) {
    postHat_[s] = beste[s] != nullptr;
    if (postHat_[s]) post_[s] = *beste[s];
  }
  postStand_.fetch_add(1, std::memory_order_release);
}

void HTQuarne::HoleSchranken() {
  const std::lock_guard<std::mutex> lk(postM_);
  postGesehen_ = postStand_.load(std::memory_order_relaxed);
  for (int s = 1; s < TRHTTiefe; ++s) {
    if (!postHat_[s]) continue;
    Steps[s].Zuege[2] = post_[s];
    Steps[s].BesterZug = 2;
  }
  hatGeschwister_ = postHat_[TRHTTiefe];
  if (hatGeschwister_) geschwister_ = post_[TRHTTiefe];
  SetzeGeschwister(hatGeschwister_ ? &geschwister_ : nullptr);
}

void HTQuarne::MeldeSchranke() {
  NimmRW();
  TZug& zelle = ZellRecord();
  zelle.BEWERTET = false;
  zelle.Canceld = true;
  zelle.ClWay = cwSchranke;
  GibRW();
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
