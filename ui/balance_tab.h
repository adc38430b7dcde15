// The weights tab "Balance_": the fifteen evaluation weights and the evaluation switches.
#pragma once

#include <QWidget>
#include <array>

#include "engine/weights.h"

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace quarne {

struct Einstellungen;

class BalanceTab : public QWidget {
  Q_OBJECT

 public:
  // The switches count at once; the weights when "Punktwerte übernehmen" is pressed.
  explicit BalanceTab(Einstellungen& einst, QWidget* eltern = nullptr);

  // The fields from the weights in force; nothing left to take over.
  void ZeigeGewichte();
  // "Punktwerte übernehmen": the fields that read as numbers become the weights.
  void SetzeWerteClick();
  // "zurücksetzen": the designed weights and every switch on.
  void SetzeStandardClick();

 private:
  // The four boxes of weights, in the first two columns of the tab's grid.
  void BaueGewichte(QGridLayout* raster);
  QWidget* BaueSchalter();

  Einstellungen& einst_;
  std::array<QLineEdit*, kAnzahlGewichte> GewichtEdits{};
  QCheckBox *CBMuster = nullptr, *CBMobil = nullptr, *CBPosition = nullptr,
            *CBVirtQuarne2 = nullptr, *CBVirtGewinn2 = nullptr, *NaherVorteilCB = nullptr;
  QPushButton *SetzeWerte = nullptr, *SetzeStandard = nullptr;
};

}  // namespace quarne
