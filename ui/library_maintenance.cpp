// Keeping the library from its tab: the check, deleting what is switched off or everything,
// restoring the installed backup, opening, saving and merging library files, and importing
// entry files.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QSignalBlocker>
#include <QSpinBox>
#include <exception>
#include <filesystem>
#include <new>

#include "library/bibfile.h"
#include "library/entryfile.h"
#include "library/import.h"
#include "library/maintenance.h"
#include "library/storing.h"
#include "parallel/driver.h"
#include "ui/dialog_folder.h"
#include "ui/dialogs.h"
#include "ui/library_tab.h"
#include "ui/program_files.h"
#include "ui/search_monitor.h"

namespace quarne {
namespace {

const char* const kBibFilter = "Bibliothek (*.bib)";
const char* const kSBibFilter = "Bibliothek (*.sbib)";

std::filesystem::path Pfad(const QString& datei) {
  return std::filesystem::path(datei.toStdString());
}

// The hourglass, for as long as it lives.
struct Sanduhr {
  Sanduhr() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~Sanduhr() { QApplication::restoreOverrideCursor(); }
  Sanduhr(const Sanduhr&) = delete;
  Sanduhr& operator=(const Sanduhr&) = delete;
};

// Entries of all levels.
int BibEintraege(const TBibliothek& bib_) {
  int n = 0;
  for (int L = 0; L < kBibStufen; ++L) n += bib_[L].BibCnt();
  return n;
}

// The level settings of a library file, one line per level that is switched on, then the ones
// that are off.
QString StufenText(const TBibliothek& quelle) {
  QStringList an, aus;
  for (int L = 0; L < kBibStufen - 1; ++L) {
    if (quelle[L].BibAktiv)
      an << QString("Stufe %1: eingeschaltet, Tiefe %2").arg(L).arg(quelle[L].BibTiefe);
    else
      aus << QString::number(L);
  }
  if (!aus.isEmpty()) an << "ausgeschaltet: Stufen " + aus.join(", ");
  return an.join('\n');
}

}  // namespace

TLeseErgebnis BibTab::LeseBibDatei(const QString& datei, TBibliothek& ziel) {
  // Taken before reading: a change while reading then shows as one at the next save.
  if (&ziel == &bib_) bibStaende_[datei] = DateiStand(Pfad(datei));
  const TLeseErgebnis e = LeseBib(Pfad(datei), ziel);
  if (e.Meldung != TDateiMeldung::Keine) Meldung(MeldungsText(e.Meldung, Pfad(datei)));
  if (e.Code == TBibCode::Ok) SetzeBibRegler(ziel);
  ZeigeBib();
  return e;
}

void BibTab::SchreibeBibDatei(const QString& datei) {
  const TDateiSperre sperre(Pfad(datei), kFensterSperreMs);
  if (!sperre.Gehalten()) {
    Meldung(MeldungsText(sperre.Meldung(), Pfad(datei)));
    return;
  }
  const auto bekannt = bibStaende_.find(datei);
  if (bekannt != bibStaende_.end() && bekannt->second != DateiStand(Pfad(datei)) &&
      !dialoge_.Frage("Die Datei " + datei +
                      " wurde seit dem Lesen von einem anderen Programm geändert. Überschreiben ?"))
    return;
  const TDateiMeldung m = SchreibeBib(Pfad(datei), bib_);
  if (m != TDateiMeldung::Keine) Meldung(MeldungsText(m, Pfad(datei)));
  if (bekannt != bibStaende_.end() &&
      (m == TDateiMeldung::Keine || m == TDateiMeldung::KompressionSpeicher))
    bekannt->second = DateiStand(Pfad(datei));
}

void BibTab::CheckButnClick() {
  if (RechnungLaeuft()) return;
  BibBelegt(true);
  std::string ergebnis = kCheckOk;
  try {
    CheckBib(bib_, suche_, [this](const std::string& stand) {
      CheckLab->setText(QString::fromStdString(stand));
      anzeige_.VerarbeiteEreignisse();
    });
  } catch (const std::exception& f) {
    ergebnis = f.what();
  }
  BibBelegt(false);
  Meldung(ergebnis);
}

void BibTab::InaktivButClick() {
  if (RechnungLaeuft()) return;
  if (!dialoge_.Frage("Die Einträge der ausgeschalteten Stufen und die zu flach gerechneten "
                      "Einträge löschen? Beim Schließen wird die Bibliothek so gespeichert."))
    return;
  std::array<bool, kBibStufen - 1> aktiv{};
  std::array<int, kBibStufen - 1> tiefe{};
  for (std::size_t L = 0; L < BibRegler.size(); ++L) {
    aktiv[L] = BibRegler[L].CB->isChecked();
    tiefe[L] = BibRegler[L].SE->value();
  }
  try {
    LoescheInaktive(bib_, aktiv, tiefe);
  } catch (const std::exception& f) {
    Meldung(f.what());
  }
  ZeigeBib();
}

void BibTab::BibLoeschenClick() {
  if (RechnungLaeuft()) return;
  if (!dialoge_.Frage("Die ganze Eröffnungsbibliothek löschen? Alle Einträge gehen verloren; "
                      "beim Schließen wird die leere Bibliothek gespeichert."))
    return;
  bib_.Leeren();
  for (int L = 0; L < kBibStufen - 1; ++L) {
    const BibStufenRegler& r = BibRegler[static_cast<std::size_t>(L)];
    {
      const QSignalBlocker cb(r.CB), se(r.SE);
      r.SE->setValue(StandardBibTiefe(L));
      r.CB->setChecked(false);
    }
    FaerbeStufe(L);
  }
  ZeigeBib();
  bib_.Geaendert = true;
}

void BibTab::SicherungClick() {
  if (RechnungLaeuft()) return;
  const QString sicherung = dateien_.Installiert("Sicherung5.bib");
  if (!QFile::exists(sicherung)) {
    Meldung(
        "Sicherung.bib nicht im Programmverzeichnis enthalten. Wiederherstellung nicht möglich!");
    return;
  }
  if (!dialoge_.Frage("Die Bibliothek durch die Installationsbibliothek ersetzen? Alle eigenen "
                      "Einträge gehen verloren."))
    return;
  bool gelesen = false;
  {
    const Sanduhr warten;
    gelesen = LeseBibDatei(sicherung, bib_).Code == TBibCode::Ok;
    if (gelesen) {
      SchreibeBibDatei(dateien_.Datei("Bibliothek5.bib"));
      bib_.Geaendert = false;
    }
  }
  if (!gelesen)
    Meldung("Fehler beim Lesen der Sicherungsbibliothek. Wiederherstellung nicht möglich! ");
}

void BibTab::BibOeffnenClick() {
  if (RechnungLaeuft()) return;
  const QString datei = dialoge_.OeffneDatei(kBibFilter, ordner_.Start());
  if (datei.isEmpty()) return;
  ordner_.Merke(datei);
  // The reader names what is wrong with the file; a second box would say it again.
  if (const TLeseErgebnis e = LeseBibDatei(datei, bib_);
      e.Code != TBibCode::Ok && e.Meldung == TDateiMeldung::Keine)
    Meldung("Öffnen der Bibliotheksdatei nicht möglich ");
}

void BibTab::BibSpeichernClick() {
  if (RechnungLaeuft()) return;
  const QString datei =
      dialoge_.SpeichereDatei(kBibFilter, QDir(ordner_.Start()).filePath("Bibliothek.bib"), "bib");
  if (datei.isEmpty()) return;
  ordner_.Merke(datei);
  SchreibeBibDatei(datei);
}

void BibTab::FusButClick() {
  if (RechnungLaeuft()) return;
  const QString datei = dialoge_.OeffneDatei(kBibFilter, ordner_.Start());
  if (datei.isEmpty()) return;
  ordner_.Merke(datei);
  TBibliothek fusion;
  const TLeseErgebnis gelesen = LeseBib(Pfad(datei), fusion);
  if (gelesen.Meldung != TDateiMeldung::Keine) Meldung(MeldungsText(gelesen.Meldung, Pfad(datei)));
  if (gelesen.Code != TBibCode::Ok) {
    if (gelesen.Meldung == TDateiMeldung::Keine)
      Meldung("Fehler beim Öffnen der Fusions-Bibliotheksdatei. ");
    return;
  }
  // Merging takes the other file's level settings as well, as opening it would.
  if (!dialoge_.Frage("Die Einträge von " + QFileInfo(datei).fileName() +
                      " zur Bibliothek hinzufügen?\n\nDabei werden die Stufeneinstellungen "
                      "dieser Datei übernommen:\n" +
                      StufenText(fusion)))
    return;
  const int vorher = BibEintraege(bib_);
  std::string fehler;
  {
    const Sanduhr warten;
    try {
      fehler = UebernahmeFehler(FusioniereBib(bib_, suche_, fusion), datei);
    } catch (const std::bad_alloc&) {
      fehler = "Out of Memory bei Fusion.";
    } catch (const std::exception& f) {
      fehler = f.what();
    }
  }
  if (!fehler.empty()) {
    Meldung(fehler);
    return;
  }
  SetzeBibRegler(fusion);
  ZeigeBib();
  dialoge_.ShowMessagePos(QString("Bibliothek hinzugefügt: %1 neue Einträge, jetzt %2 Einträge.")
                              .arg(QLocale().toString(BibEintraege(bib_) - vorher),
                                   QLocale().toString(BibEintraege(bib_))));
}

std::string BibTab::UebernahmeFehler(const TUebernahme& u, const QString& quelle) {
  switch (u.art) {
    case TUebernahme::Ok:
      return {};
    case TUebernahme::Quelle:
      return quelle.toStdString() + ": " + u.Text;
    case TUebernahme::Ergebnis:
      break;
  }
  return u.Text + "\n" + kBestuendePruefungNicht;
}

void BibTab::SBibButClick() {
  if (RechnungLaeuft()) return;
  const QString datei = dialoge_.OeffneDatei(kSBibFilter, ordner_.Start());
  if (datei.isEmpty()) return;
  ordner_.Merke(datei);
  const TSBibGelesen gelesen = LeseSBib(Pfad(datei));
  const TLeseErgebnis& e = gelesen.Ergebnis;
  if (e.Meldung != TDateiMeldung::Keine)
    Meldung(MeldungsText(e.Meldung, Pfad(datei)));
  else if (e.Code != TBibCode::Ok)
    Meldung("Fehler beim Einlesen der SBib-Datei. ");
  try {
    const std::string fehler =
        UebernahmeFehler(ImportiereSBib(bib_, suche_, gelesen.Eintraege), datei);
    if (!fehler.empty()) Meldung(fehler);
  } catch (const std::exception& f) {
    Meldung(f.what());
  }
  ZeigeBib();
}

}  // namespace quarne
