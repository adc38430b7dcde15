// The overview grid of the library tab, "BibGrid": a fixed column of row titles and one column
// per level, whose cells are painted in the colours of their column and row group.
#pragma once

#include <QColor>
#include <QString>
#include <QTableWidget>
#include <cstdint>

namespace quarne {

// A figure as a cell shows it: empty for 0, thousands grouped, and above 9 999 999 in thousands
// followed by " T".
QString ZahlText(double wert, int dezimalen);

// The memory that this many library entries take, in megabytes.
double BibMegabyte(std::int64_t eintraege);

// The background of cell (spalte, zeile) for spalte >= 1 (level spalte - 1).
QColor BibZellFarbe(int spalte, int zeile);

class BibGrid : public QTableWidget {
  Q_OBJECT

 public:
  // Column 0 holds the row titles, column L + 1 level L.
  static constexpr int kSpalten = 20;
  static constexpr int kZeilen = 24;

  explicit BibGrid(QWidget* parent = nullptr);

  QString Zelle(int spalte, int zeile) const;
  void SetzeZelle(int spalte, int zeile, const QString& text);
  // The width of every level column, and of the title column.
  void SetzeSpaltenBreiten(int standard, int titel);
  // The first level column in view, counted as above (1 while level 0 shows).
  int LinkeSpalte() const;

 signals:
  // The grid scrolled sideways.
  void TopLeftChanged();
};

}  // namespace quarne
