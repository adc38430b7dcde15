#include "ui/evaluation_table.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <vector>

#include "core/notation.h"
#include "ui/design.h"

namespace quarne {

namespace {

// The window was designed at 144 dpi; Qt measures in device-independent pixels of 96 dpi, so
// design sizes are divided by 1.5.
constexpr int kZeilenHoehe = 36 * 2 / 3;
constexpr int kStandardBreite = 195 * 2 / 3;
constexpr int kLinie = 1;
constexpr int kFesteSpalten = 2;

const QColor kKopfVirtuell(254, 214, 251);
const QColor kKopfNormal(128, 255, 128);
const QColor kNrBewertet(255, 240, 200);
const QColor kNrUnbewertet(128, 128, 128);
const QColor kExtrapoliert(175, 227, 187);
const QColor kZugSchwarz(222, 222, 222);
const QColor kGewinn(0, 255, 0);
const QColor kRemis(255, 255, 0);
const QColor kLinienFarbe(160, 160, 160);
const QColor kSchatten(128, 128, 128);

QColor ZugFarbe(TFarbe f) {
  return f == clWeiss ? kWeiss : kZugSchwarz;
}

bool Virtuell(const TStep& s, int k) {
  return s.VirtuellAb > 0 && s.VirtuellAb <= k;
}

Zelle KopfZelle(const TStep& s, int k) {
  QColor farbe = kKopfNormal;
  if (k > s.STDenkTiefe)
    farbe = kWeiss;
  else if (k > s.STStepMax)
    farbe = kSilber;
  else if (Virtuell(s, k))
    farbe = kKopfVirtuell;
  return {QString::number(k) + ". Zug", farbe, k == 1, Virtuell(s, k) && k <= s.STStepMax};
}

QString WertText(const TZug& z) {
  const QString vor = z.Canceld ? "<= " : "";
  const QString n = QString::number(z.Wertung.ResultInXZuegen + 1);
  switch (z.Wertung.ZugResGesamt) {
    case rsWIN:
      return vor + "gewinnt (" + n + ")";
    case rsLOSS:
      return vor + "verliert (" + n + ")";
    case rsWDH:
      return vor + "Remis (" + n + ")";
    case rsQuarn:
      return vor + QLocale().toString(z.Wertung.PunktWertGes, 'f', 0);
    default:
      return "???";
  }
}

// Ply k of z's line. The line ends after a ply that ends the game and beyond the depth at which
// the value was fixed; an unevaluated move shows only its first ply.
Zelle ZugZelle(const TStep& s, const TZug& z, bool bewertet, int k) {
  TFarbe farbe = s.STFarbeZiehend;
  bool beendet = k > z.StepMaxZug;
  for (int p = 1; p < k; ++p) {
    if (z.SmartZuege[p].BeendetLinie()) beendet = true;
    farbe = Gegner(farbe);
  }
  const TSmartZug& e = z.SmartZuege[k];
  // A move from the library carries its first ply only; every ply has a target point.
  if (beendet || (k >= 2 && (!bewertet || e.NachPosition == 0))) return {{}, ZugFarbe(farbe)};

  QColor hinten = ZugFarbe(farbe);
  if (e.GewinnDurchQuarne || e.GewinnDurchBlock)
    hinten = kGewinn;
  else if (e.RemisDurchLimit || e.RemisDurchWdh)
    hinten = kRemis;
  const std::string text =
      ZugText(e.VonPosition, e.NachPosition, e.ErgibtQuarne ? e.EntfStein : 0, e.ErgibtQuarne);
  return {QString::fromStdString(text), hinten, k == 1, Virtuell(s, k) && k <= s.STStepMax};
}

void ZeichneZelle(QPainter& p, const QRect& r, const Zelle& z) {
  p.fillRect(r, z.farbe);
  if (z.text.isEmpty()) return;
  QFont schrift("Tahoma", 8);
  schrift.setBold(z.fett);
  schrift.setItalic(z.kursiv);
  p.setFont(schrift);
  p.setPen(Qt::black);
  p.drawText(r.adjusted(5, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, z.text);
}

// The raised edge of a fixed cell.
void ZeichneFestenRand(QPainter& p, const QRect& r) {
  p.setPen(kWeiss);
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(kSchatten);
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
}

}  // namespace

Zelle ZeichneTabellenZelle(const TStep& s, int spalte, int zeile) {
  if (zeile == 0) {
    if (spalte >= kFesteSpalten) return KopfZelle(s, spalte - 1);
    return {spalte == 1 ? "Wertung 1.Zug" : "", kSilber};
  }
  // The grid is sized when the root moves are generated; the display copy can lag behind.
  if (zeile > s.ZuegeAnzahl) return {{}, kWeiss};

  const TZug& z = s.Zuege[zeile];
  const bool bewertet = z.BEWERTET || z.Canceld;
  switch (spalte) {
    case 0:
      return {QString::number(z.Nr), bewertet ? kNrBewertet : kNrUnbewertet};
    case 1:
      return {bewertet ? WertText(z) : "<unbewertet>", z.Extrapoliert ? kExtrapoliert : kSilber};
    default:
      return ZugZelle(s, z, bewertet, spalte - 1);
  }
}

MemStepTabelle::MemStepTabelle(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName("MemStepTabelle");
  setFont(QFont("Tahoma", 8));
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setAutoFillBackground(true);
  viewport()->setBackgroundRole(QPalette::Base);
  QPalette pal = viewport()->palette();
  pal.setColor(QPalette::Base, kWeiss);
  viewport()->setPalette(pal);
  breiten_.fill(kStandardBreite);
  verticalScrollBar()->setSingleStep(1);
  horizontalScrollBar()->setSingleStep(1);
  hide();
}

void MemStepTabelle::SetzeMemStep(const TStep* memStep) {
  memStep_ = memStep;
  viewport()->update();
}

void MemStepTabelle::ZeigeTabelle(const TStep& wurzel) {
  if (!isHidden()) return;
  zeilen_ = wurzel.ZuegeAnzahl + 1;
  const QFontMetrics fm = fontMetrics();
  breiten_.fill(fm.horizontalAdvance("SWx NOx M:SWx  "));
  breiten_[1] = fm.horizontalAdvance("< gewinnt (9) >  ");
  breiten_[0] = fm.horizontalAdvance("xxxx");
  // A new search starts at the top left.
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
  PasseBalkenAn();
  show();
}

void MemStepTabelle::VerbergeTabelle() {
  hide();
}

void MemStepTabelle::ZeigeBewertung() {
  viewport()->update();
}

int MemStepTabelle::ObersteZeile() const {
  return 1 + verticalScrollBar()->value();
}

int MemStepTabelle::LinkeSpalte() const {
  return kFesteSpalten + horizontalScrollBar()->value();
}

void MemStepTabelle::PasseBalkenAn() {
  const int schritt = kZeilenHoehe + kLinie;
  const int sichtbar = std::max(1, (viewport()->height() - schritt) / schritt);
  verticalScrollBar()->setRange(0, std::max(0, zeilen_ - 1 - sichtbar));
  verticalScrollBar()->setPageStep(sichtbar);

  // The grid scrolls no further than needed to show the last column whole.
  int frei = viewport()->width() - breiten_[0] - breiten_[1] - 2 * kLinie;
  int links = kSpalten;
  while (links > kFesteSpalten && frei >= breiten_[links - 1] + kLinie)
    frei -= breiten_[--links] + kLinie;
  const int letzteLinke = std::min(links, kSpalten - 1);
  horizontalScrollBar()->setRange(0, letzteLinke - kFesteSpalten);
  horizontalScrollBar()->setPageStep(std::max(1, kSpalten - links));
}

void MemStepTabelle::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  PasseBalkenAn();
}

void MemStepTabelle::keyPressEvent(QKeyEvent* event) {
  QScrollBar* balken = verticalScrollBar();
  QAbstractSlider::SliderAction aktion;
  switch (event->key()) {
    case Qt::Key_Up:
      aktion = QAbstractSlider::SliderSingleStepSub;
      break;
    case Qt::Key_Down:
      aktion = QAbstractSlider::SliderSingleStepAdd;
      break;
    case Qt::Key_PageUp:
      aktion = QAbstractSlider::SliderPageStepSub;
      break;
    case Qt::Key_PageDown:
      aktion = QAbstractSlider::SliderPageStepAdd;
      break;
    case Qt::Key_Home:
      aktion = QAbstractSlider::SliderToMinimum;
      break;
    case Qt::Key_End:
      aktion = QAbstractSlider::SliderToMaximum;
      break;
    case Qt::Key_Left:
      balken = horizontalScrollBar();
      aktion = QAbstractSlider::SliderSingleStepSub;
      break;
    case Qt::Key_Right:
      balken = horizontalScrollBar();
      aktion = QAbstractSlider::SliderSingleStepAdd;
      break;
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  balken->triggerAction(aktion);
}

void MemStepTabelle::paintEvent(QPaintEvent*) {
  if (!memStep_) return;
  QPainter p(viewport());
  const int hoehe = viewport()->height();
  const int breite = viewport()->width();

  std::vector<int> spalten = {0, 1};
  for (int c = LinkeSpalte(); c < kSpalten; ++c) spalten.push_back(c);
  std::vector<int> zeilen = {0};
  for (int r = ObersteZeile(); r < zeilen_; ++r) zeilen.push_back(r);

  int y = 0;
  for (int r : zeilen) {
    if (y >= hoehe) break;
    int x = 0;
    for (int c : spalten) {
      if (x >= breite) break;
      const QRect zelle(x, y, breiten_[c], kZeilenHoehe);
      ZeichneZelle(p, zelle, ZeichneTabellenZelle(*memStep_, c, r));
      if (r == 0 || c < kFesteSpalten) ZeichneFestenRand(p, zelle);
      p.fillRect(x + zelle.width(), y, kLinie, kZeilenHoehe + kLinie, kLinienFarbe);
      p.fillRect(x, y + kZeilenHoehe, zelle.width() + kLinie, kLinie, kLinienFarbe);
      x += zelle.width() + kLinie;
    }
    y += kZeilenHoehe + kLinie;
  }
}

}  // namespace quarne
