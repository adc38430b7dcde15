// Saving and loading games (".ml") from the window: the file dialogs, the pop-up menu of the
// tabs, the game named on the command line and "Log.ml" after every move.
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTabWidget>

#include "game/game_file.h"
#include "library/file_lock.h"
#include "ui/board_view.h"
#include "ui/dialogs.h"
#include "ui/main_tab.h"
#include "ui/main_window.h"
#include "ui/setup_tab.h"

namespace quarne {
namespace {

constexpr const char* kFilter = "Quarne Datei (*.ml)";
constexpr const char* kUngespeichert =
    "Die Züge des aktuellen Spiels sind nicht gespeichert und gehen beim Laden verloren. "
    "Trotzdem laden?";
constexpr const char* kNichtWaehrendDerSuche =
    "Während der Computer rechnet, kann kein Spiel geladen werden.";

std::filesystem::path Pfad(const QString& datei) {
  return std::filesystem::path(QFile::encodeName(datei).toStdString());
}

}  // namespace

QString PartieName(const QDate& tag) {
  return "Partie " + tag.toString(Qt::ISODate);
}

void TQuarneForm::SaveButnClick() {
  const QString vorschlag =
      QDir(ordner_.Start()).filePath(PartieName(QDate::currentDate()) + ".ml");
  const QString datei = dialoge_->SpeichereDatei(kFilter, vorschlag, "ml");
  if (datei.isEmpty()) return;
  ordner_.Merke(datei);
  if (SpeichereSpiel(datei)) ungespeichert_ = false;
}

void TQuarneForm::LoadButnClick() {
  // The pop-up menu is there during a search too; the search's game must stay as it is.
  if (RechnungLaeuft()) {
    dialoge_->ShowMessagePos(kNichtWaehrendDerSuche);
    return;
  }
  const QString datei = dialoge_->OeffneDatei(kFilter, ordner_.Start());
  if (datei.isEmpty()) return;
  ordner_.Merke(datei);
  if (ungespeichert_ && !dialoge_->Frage(kUngespeichert)) return;
  LadeSpiel(datei, true);
}

bool TQuarneForm::SpeichereSpiel(const QString& datei) {
  Partiedatei p = ErfassePartie(*spiel_);
  stellung_->SchreibeAufbau(p);
  const TDateiMeldung m = SpeicherePartie(Pfad(datei), p, kFensterSperreMs);
  if (m == TDateiMeldung::Gesperrt) {
    dialoge_->ShowMessagePos(QString::fromStdString(MeldungsText(m, Pfad(datei))));
  } else if (m != TDateiMeldung::Keine) {
    const QString ordner = QDir::toNativeSeparators(QFileInfo(datei).absolutePath() + "/");
    dialoge_->ShowMessagePos("Stellen Sie Schreibrechte auf den Ordner " + ordner +
                             " sicher. Der Schreibvorgang war nicht erfolgreich.");
  }
  return m == TDateiMeldung::Keine;
}

bool TQuarneForm::LadeSpiel(const QString& datei, bool melden) {
  const auto meldung = [&](const QString& text) {
    if (melden) dialoge_->ShowMessagePos(text);
    return false;
  };
  // Also while the library is built or checked, when the game rests.
  if (RechnungLaeuft()) return meldung(kNichtWaehrendDerSuche);
  const GeladenePartie geladen = LadePartie(Pfad(datei));
  if (!geladen.lesbar) return meldung("Datei " + datei + " kann nicht geöffnet werden.");
  const std::optional<Partiedatei>& p = geladen.partie;
  if (!p) return meldung(QString::fromStdString(KeinePartie(datei.toStdString())));

  if (!ablauf_->Lade(*p)) return meldung(kNichtWaehrendDerSuche);
  stellung_->LiesAufbau(*p);
  PageControl->setCurrentWidget(haupt_);
  ungespeichert_ = false;
  return true;
}

void TQuarneForm::SchreibeLog() {
  SpeichereSpiel(dateien_.Datei("Log.ml"));
}

}  // namespace quarne
