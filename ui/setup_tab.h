// The setup tab "Stellung": a position put together stone by stone and handed to the game for
// analysis.
#pragma once

#include <QWidget>

#include "core/types.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace quarne {

class BrettWidget;
class DialogDienst;
class Spielablauf;
class TBrettClass;
struct Partiedatei;

class StellungTab : public QWidget {
  Q_OBJECT

 public:
  // brett is the setup board's view; the position it holds goes to ablauf for analysis.
  StellungTab(TBrettClass& brett, Spielablauf& ablauf, DialogDienst& dialoge,
              QWidget* eltern = nullptr);

  // The figures of both sides from the board and the placed counts; the board redrawn.
  void ZaehleSteine();
  // The setup position and its placed counts, as a game file keeps them.
  void SchreibeAufbau(Partiedatei& p) const;
  void LiesAufbau(const Partiedatei& p);

 signals:
  // The position became the game to analyse.
  void AnalyseBegonnen();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BaueFelder(QGridLayout* raster);
  void BaueKnoepfe(QGridLayout* raster);
  void Verbinde();
  // The placed counts, without counting the stones again.
  void SetzeGesetzte(int weiss, int schwarz);
  void SetPBMouseDown(QPoint pos);
  void ResetAnalyzeClick();
  // "Weiss am Zug >" and "Schwarz am Zug >".
  void ToAnalyzeClick(TFarbe amZug);

  TBrettClass& brett_;
  Spielablauf& ablauf_;
  DialogDienst& dialoge_;
  QWidget *SetPanel = nullptr, *SetEingabePanel = nullptr;
  BrettWidget* SetPB = nullptr;
  QPushButton *WeissButn = nullptr, *SchwarzButn = nullptr, *ToAnalyzeWeiss = nullptr,
              *ToAnalyzeSchwarz = nullptr, *ResetAnalyze = nullptr, *Butn9 = nullptr;
  QLineEdit *EditWeisseSteine = nullptr, *EditSchwarzeSteine = nullptr, *EDLostWeiss = nullptr,
            *EDLostSchwarz = nullptr;
  QSpinBox *SPEDWeiss = nullptr, *SPEDSchwarz = nullptr;
  QLabel *LblSPPhsWeiss = nullptr, *LblSPPhsSchwarz = nullptr;
};

}  // namespace quarne
