// Saving and loading games (".ml") from the window: the file dialogs, the pop-up menu of the
// tabs, the game named on the command line and "Log.ml" after every move.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <algorithm>

#include "game/game_file.h"
#include "library/dateien.h"
#include "ui/board_view.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/move_list.h"
#include "ui/search_monitor.h"

namespace quarne {
namespace {

constexpr const char* kFilter = "Quarne Datei (*.ml)";

std::filesystem::path Pfad(const QString& datei) {
  return std::filesystem::path(QFile::encodeName(datei).toStdString());
}

}  // namespace

void TQuarneForm::SaveButnClick() {
  const QString datei = dialoge_->SpeichereDatei(kFilter, dateien_.DialogOrdner(), "ml");
  if (!datei.isEmpty()) SpeichereSpiel(datei);
}

void TQuarneForm::LoadButnClick() {
  // The pop-up menu is there during a search too; the search's game must stay as it is.
  if (RechnungLaeuft()) {
    dialoge_->ShowMessagePos("Während der Computer rechnet, kann kein Spiel geladen werden.");
    return;
  }
  const QString datei = dialoge_->OeffneDatei(kFilter, dateien_.DialogOrdner());
  if (!datei.isEmpty()) LadeSpiel(datei, true);
}

bool TQuarneForm::SpeichereSpiel(const QString& datei) {
  Partiedatei p = ErfassePartie(*spiel);
  p.NewNullZug = StellungsBrett->NewNullZug;
  p.NewNullZugFrb = StellungsBrett->NewNullZugFrb;
  p.SPEDWeiss = SPEDWeiss->value();
  p.SPEDSchwarz = SPEDSchwarz->value();
  const std::filesystem::path pfad = Pfad(datei);
  if (!PruefeSchreibrecht(pfad) || !SchreibeDatei(pfad, PartieAbbild(p))) {
    const QString ordner = QDir::toNativeSeparators(QFileInfo(datei).absolutePath() + "/");
    dialoge_->ShowMessagePos("Stellen Sie Schreibrechte auf den Ordner " + ordner +
                             " sicher. Der Schreibvorgang war nicht erfolgreich.");
    return false;
  }
  return true;
}

bool TQuarneForm::LadeSpiel(const QString& datei, bool melden) {
  const auto meldung = [&](const QString& text) {
    if (melden) dialoge_->ShowMessagePos(text);
    return false;
  };
  if (RechnungLaeuft())
    return meldung("Während der Computer rechnet, kann kein Spiel geladen werden.");
  const GeladenePartie geladen = LadePartie(Pfad(datei));
  if (!geladen.lesbar) return meldung("Datei " + datei + " kann nicht geöffnet werden.");
  const std::optional<Partiedatei>& p = geladen.partie;
  if (!p) return meldung(QString::fromStdString(KeinePartie(datei.toStdString())));

  UebernimmPartie(*p, *spiel);
  suche->ResultReady = false;  // "Zieh" has nothing to play in the loaded game
  StellungsBrett->NewNullZug = p->NewNullZug;
  StellungsBrett->NewNullZugFrb = p->NewNullZugFrb;
  {
    const QSignalBlocker w(SPEDWeiss), s(SPEDSchwarz);
    SPEDWeiss->setValue(std::clamp(p->SPEDWeiss, 0, SPEDWeiss->maximum()));
    SPEDSchwarz->setValue(std::clamp(p->SPEDSchwarz, 0, SPEDSchwarz->maximum()));
  }
  RecordGeaendert();
  AktualisiereSpiel();
  ZaehleSteine();
  anzeige->VerbergeTabelle();
  PageControl->setCurrentWidget(TabOben);
  MovesGridW->ScrolleNachZug(spiel->AktZugNr);
  anzeige->ZeigeFortschritt(false, 0, 0);
  return true;
}

void TQuarneForm::SchreibeLog() {
  SpeichereSpiel(dateien_.Datei("Log.ml"));
}

}  // namespace quarne
