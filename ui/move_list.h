// The move list of the main tab: row 0 the start position, one row per recorded move, and a last
// row for the next move or the end of the game. Picking a row shows the position after it.
#pragma once

#include <QColor>
#include <QString>
#include <QTableView>

#include "game/game_flow.h"
#include "game/game_record.h"

namespace quarne {

// What one cell of the move list shows.
struct ListenZelle {
  QString text;
  QColor hintergrund;
  QColor schrift;
};

// The cell in column spalte (0 the number, 1 the move) and row zeile of the list of spiel;
// spVsSp says whether two persons play.
ListenZelle ZeichneZugListe(const Spielstand& spiel, bool spVsSp, int spalte, int zeile);

class ZugListenModell;

// The grid "MovesGrid": two columns, no fixed cells, scrolling by whole rows.
class MovesGrid : public QTableView {
  Q_OBJECT

 public:
  explicit MovesGrid(QWidget* parent = nullptr);

  // The game and the options the cells are drawn from; both must outlive the list.
  void SetzeSpiel(const Spielstand* spiel, const SpielOptionen* optionen);

  void SetzeZeilenAnzahl(int zeilen);
  // Makes cell (1, zeile) the current one without ZugGewaehlt. While the window handles a row
  // the user picked, the picked cell stays current.
  void SetzeAuswahl(int zeile);
  // The game changed: draw every cell again.
  void Neuzeichnen();

  // Rows that fit whole into the list.
  int SichtbareZeilen() const;
  int ObersteZeile() const;
  void SetzeObersteZeile(int zeile);
  // After a move was entered: the row of the next move aktZugNr comes into view.
  void ScrolleNachZug(int aktZugNr);
  // After stepping forward (">", ">>") to the position before move aktZugNr.
  void ScrolleVor(int aktZugNr);
  // After stepping back ("<"): the row of the shown position comes into view from above.
  void ScrolleZurueck(int aktZugNr);

  // Column 0 holds "123 | 12"; column 1 takes the rest of the list's width.
  void SetzeSpaltenBreiten();

 signals:
  // The user picked a cell with the mouse or the keyboard.
  void ZugGewaehlt(int spalte, int zeile);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

 private:
  void Waehle(const QModelIndex& index);

  ZugListenModell* modell_;
  bool waehlend_ = false;
};

}  // namespace quarne
