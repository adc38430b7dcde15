#include "library/file_result.h"

#include <system_error>

namespace quarne {

namespace {

// The file's folder with its trailing separator, as the message names it.
std::string Ordner(const std::filesystem::path& datei) {
  std::error_code fehler;
  std::filesystem::path voll = std::filesystem::absolute(datei, fehler);
  if (fehler) voll = datei;
  return (voll.parent_path() / "").string();
}

}  // namespace

std::string MeldungsText(TDateiMeldung meldung, const std::filesystem::path& datei) {
  switch (meldung) {
    case TDateiMeldung::Keine:
      return "";
    case TDateiMeldung::Oeffnen:
      return "Fehler beim Öffnen von " + datei.string();
    case TDateiMeldung::Beschaedigt:
      return "Bibliotheksdatei beschädigt oder diese Tarvolin Version passt nicht zur "
             "Bibliotheksdatei.";
    case TDateiMeldung::EntpackenSpeicher:
      return "Dekompression der Bibliotheksdatei nicht erfolgreich. Out of Memory Error.";
    case TDateiMeldung::EntpackenFehler:
      return "Dekompression der Bibliotheksdatei nicht erfolgreich. Exception.";
    case TDateiMeldung::Fit1:
      return "Bibliotheksdatei beschädigt - 1 chFit";
    case TDateiMeldung::Fit2:
      return "Bibliotheksdatei beschädigt - 2 chFit";
    case TDateiMeldung::Fit3:
      return "Bibliotheksdatei beschädigt - 3 chFit";
    case TDateiMeldung::Fit4:
      return "Bibliotheksdatei beschädigt - 4 chFit";
    case TDateiMeldung::RestVorhanden:
      return "Bibliotheksdatei beschädigt, Rest vorhanden.";
    case TDateiMeldung::Verweise:
      return "Bibliotheksdatei beschädigt - ungültige Verweise";
    case TDateiMeldung::Wurzel:
      return "Bibliotheksdatei beschädigt - Stufe 0 ohne die zwei Wurzeleinträge";
    case TDateiMeldung::Stellung:
      return "Bibliotheksdatei beschädigt - unmögliche Stellung";
    case TDateiMeldung::ZuGross:
      return "Die Datei " + datei.string() + " ist größer, als eine Datei ihrer Art sein kann.";
    case TDateiMeldung::LesenSpeicher:
      return "Zu wenig Arbeitsspeicher frei. Die einzulesende Bibliothek wird nicht genutzt.";
    case TDateiMeldung::Schreibrechte:
      return "Stellen Sie Schreibrechte auf den Ordner " + Ordner(datei) +
             " sicher. Der Schreibvorgang war nicht erfolgreich.";
    case TDateiMeldung::KompressionSpeicher:
      return "Zu wenig Arbeitsspeicher für Kompression. Schreiben erfolgt ohne Kompression.";
    case TDateiMeldung::SchreibenFehler:
      return "Schreiben der Bibliothek nicht möglich.";
    case TDateiMeldung::Gesperrt:
      return "Die Datei " + datei.string() +
             " wird gerade von einem anderen Programm geändert. Bitte versuchen Sie es später "
             "noch einmal.";
  }
  return "";
}

}  // namespace quarne
