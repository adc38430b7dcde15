// The thinking settings of an analysis: the setup tab's analysis turns full evaluation and a
// depth of 12 on, and a later game that is no analysis gets back what the user had before.
#include "ui/main_tab.h"
#include "ui/main_window.h"
#include "ui/options_tab.h"

namespace quarne {
namespace {

constexpr int kAnalyseTiefe = 12;

}  // namespace

TQuarneForm::Denkweise TQuarneForm::AktuelleDenkweise() const {
  return {optionen_->Voll(), optionen_->Denkauswahl(), haupt_->Tiefe()};
}

void TQuarneForm::SetzeDenkweise(const Denkweise& d) {
  optionen_->SetzeVoll(d.voll);
  haupt_->SetzeTiefe(d.tiefe);
  optionen_->SetzeDenkauswahl(d.auswahl);
}

void TQuarneForm::AnalyseEinstellungen() {
  vorAnalyse_ = AktuelleDenkweise();
  SetzeDenkweise({true, 0, kAnalyseTiefe});
}

void TQuarneForm::NachAnalyseZurueck() {
  if (!vorAnalyse_) return;
  if (AktuelleDenkweise() == Denkweise{true, 0, kAnalyseTiefe}) SetzeDenkweise(*vorAnalyse_);
  vorAnalyse_.reset();
}

}  // namespace quarne
