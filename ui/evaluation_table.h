// The move evaluation table: one row per root move of the computer with its number, its value and
// its expected line, one ply per column. Every cell is drawn from the display copy of the root
// step, so the table follows a running search.
#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QString>
#include <array>

#include "core/types.h"

namespace quarne {

// What one cell of the table shows.
struct Zelle {
  QString text;
  QColor farbe;
  bool fett = false;
  bool kursiv = false;
};

// The cell in column spalte and row zeile of the table for the root step s. Row 0 is the header,
// column 0 the move's number, column 1 its value, column c >= 2 ply c - 1 of its line.
Zelle ZeichneTabellenZelle(const TStep& s, int spalte, int zeile);

// The grid "MemStepTabelle": one fixed header row and two fixed columns; the rest scrolls by
// whole rows and columns.
class MemStepTabelle : public QAbstractScrollArea {
  Q_OBJECT

 public:
  static constexpr int kSpalten = 18;

  // The grid starts hidden; ZeigeTabelle shows it once the root moves are known.
  explicit MemStepTabelle(QWidget* parent = nullptr);

  // The display copy the cells are drawn from; it must outlive the table.
  void SetzeMemStep(const TStep* memStep);

  // Sizes the grid for the root moves of wurzel and shows it. Does nothing while it is shown,
  // so a search sizes it once, after VerbergeTabelle.
  void ZeigeTabelle(const TStep& wurzel);
  void VerbergeTabelle();
  // The display copy changed.
  void ZeigeBewertung();

  int ZeilenAnzahl() const { return zeilen_; }
  int SpaltenBreite(int spalte) const { return breiten_[spalte]; }
  int ObersteZeile() const;
  int LinkeSpalte() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void PasseBalkenAn();

  const TStep* memStep_ = nullptr;
  int zeilen_ = 1;
  std::array<int, kSpalten> breiten_{};
};

}  // namespace quarne
