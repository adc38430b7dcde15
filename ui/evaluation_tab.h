// The evaluation tab "Zugbewertung": thinking time, generated moves and the table of every
// first move of the computer.
#pragma once

#include <QWidget>

#include "core/types.h"

class QLabel;
class QLineEdit;
class QProgressBar;

namespace quarne {

class MemStepTabelle;

class BewertungTab : public QWidget {
  Q_OBJECT

 public:
  // The table shows memStep, the sorted copy of the root step.
  explicit BewertungTab(const TStep& memStep, QWidget* eltern = nullptr);

  // The table as wide as the tab, the bar and the count below it.
  void SetzeLayout();
  // Table, bar and count of n evaluated of anzahl root moves; the time, the generated moves and
  // their rate as already formatted.
  void ZeigeBewertung(int n, int anzahl, const QString& zeit, const QString& erzeugt,
                      const QString& jeSekunde);
  void VerbergeTabelle();
  // A search's root step appears, unless the table shows one already.
  void ZeigeTabelle(const TStep& wurzel, int anzahl);
  // The library answered: there is no time and no speed to show.
  void ZeigeBibliothekErgebnis();

 private:
  QLabel *DenkzeitLab = nullptr, *AnzDZuegeLbl = nullptr;
  QLineEdit *DenkzeitEdit = nullptr, *BerZuegeEd = nullptr, *ZPrS = nullptr;
  MemStepTabelle* MemStepTabelleW = nullptr;
  QProgressBar* PrgrBarTab = nullptr;
};

}  // namespace quarne
