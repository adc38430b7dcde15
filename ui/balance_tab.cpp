#include "ui/balance_tab.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/settings.h"
#include "ui/design.h"

namespace quarne {
namespace {

char Dezimaltrenner() {
  const QString t = QLocale().decimalPoint();
  return t.isEmpty() ? '.' : t.at(0).toLatin1();
}

// Captions of the weight edits, in the order of kGewichtFelder.
constexpr std::array<const char*, kAnzahlGewichte> kBeschriftung = {
    "Vorteilhafte Steinpositionen",
    "Mobilität der Steine",
    "Einfach offen",
    "Zweifach offen",
    "Dreifach offen",
    "Einfach offen",
    "Zweifach offen",
    "Dreifach offen",
    "Bewachte Quarnen",
    "Unbewachte Quarnen",
    "Zwickquarnen",
    "Wert der Bildung einer realen Quarne",
    "Bildung einer virtuellen Quarne",
    "Virtueller Gewinn",
    "Schwächungsfaktor (0 bis 1)"};

}  // namespace

BalanceTab::BalanceTab(Einstellungen& einst, QWidget* eltern) : QWidget(eltern), einst_(einst) {
  setObjectName("Balance_");
  auto* raster = new QGridLayout(this);
  raster->setContentsMargins(D(24), D(24), D(24), D(24));
  BaueGewichte(raster);
  QWidget* schalter = BaueSchalter();

  SetzeWerte = new QPushButton("Punktwerte übernehmen", this);
  SetzeWerte->setObjectName("SetzeWerte");
  SetzeStandard = new QPushButton("zurücksetzen", this);
  SetzeStandard->setObjectName("SetzeStandard");
  connect(SetzeWerte, &QPushButton::clicked, this, [this] { SetzeWerteClick(); });
  connect(SetzeStandard, &QPushButton::clicked, this, [this] { SetzeStandardClick(); });

  raster->addWidget(schalter, 2, 1);
  raster->addWidget(SetzeWerte, 3, 0);
  raster->addWidget(SetzeStandard, 3, 1);
  raster->setRowStretch(4, 1);
  raster->setColumnStretch(2, 1);
}

void BalanceTab::BaueGewichte(QGridLayout* raster) {
  auto* jederZug = new QGroupBox("Bewertung für jeden Zug einer Zugfolge", this);
  auto* virtuell = new QGroupBox("Endbewertung einer Zugfolge (virtuelle Züge)", this);
  auto* real = new QGroupBox("Endbewertung einer Zugfolge (reale Züge)", this);
  auto* betraege = new QGroupBox("Beträge", this);
  QFormLayout* formen[] = {new QFormLayout(jederZug), new QFormLayout(virtuell),
                           new QFormLayout(real), new QFormLayout(betraege)};
  // Which box each edit stands in.
  constexpr int kBox[kAnzahlGewichte] = {0, 0, 1, 1, 1, 2, 2, 2, 2, 2, 2, 3, 3, 3, 3};
  for (int i = 0; i < kAnzahlGewichte; ++i) {
    QWidget* box = formen[kBox[i]]->parentWidget();
    auto* e = new QLineEdit(box);
    e->setObjectName(QString::fromUtf8(kGewichtFelder[i].data(), kGewichtFelder[i].size()));
    e->setMaximumWidth(D(180));
    formen[kBox[i]]->addRow(kBeschriftung[i], e);
    GewichtEdits[i] = e;
    connect(e, &QLineEdit::textEdited, this, [this] { SetzeWerte->setEnabled(true); });
  }
  raster->addWidget(jederZug, 0, 0);
  raster->addWidget(virtuell, 1, 0);
  raster->addWidget(real, 0, 1, 2, 1);
  raster->addWidget(betraege, 2, 0);
}

QWidget* BalanceTab::BaueSchalter() {
  auto* schalter = new QGroupBox("Schalter", this);
  auto* s = new QVBoxLayout(schalter);
  const struct {
    QCheckBox*& feld;
    const char* name;
    const char* text;
    bool Einstellungen::*wert;
  } kSchalter[] = {
      {CBMuster, "CBMuster", "Bewertung aktiv", &Einstellungen::CBMuster},
      {CBMobil, "CBMobil", "Bewertung Mobilität der Steine", &Einstellungen::CBMobil},
      {CBPosition, "CBPosition", "Bewertung vorteilhafter Steinpositionen",
       &Einstellungen::CBPosition},
      {CBVirtQuarne2, "CBVirtQuarne2", "Bildung einer virtuellen Quarne",
       &Einstellungen::CBVirtQuarne2},
      {CBVirtGewinn2, "CBVirtGewinn2", "Virtueller Gewinn", &Einstellungen::CBVirtGewinn2},
      {NaherVorteilCB, "NaherVorteilCB", "Schwächungsfaktor", &Einstellungen::NaherVorteilCB},
  };
  for (const auto& k : kSchalter) {
    k.feld = new QCheckBox(k.text, schalter);
    k.feld->setObjectName(k.name);
    k.feld->setChecked(true);
    s->addWidget(k.feld);
    // Switches count at once: the evaluation reads them every time.
    connect(k.feld, &QCheckBox::toggled, this,
            [this, wert = k.wert](bool an) { einst_.*wert = an; });
  }
  return schalter;
}

void BalanceTab::ZeigeGewichte() {
  const Gewichte& g = einst_.gewichte;
  const double werte[kAnzahlGewichte] = {
      g.EDCPosition,  g.EDCMobil,    g.EDCVirtOff1, g.EDCVirtOff2,  g.EDCVirtOff3,
      g.EDCRealOff1,  g.EDCRealOff2, g.EDCRealOff3, g.EDCQuarneBew, g.EDCQuarneUnbw,
      g.EDCQuarneZwk, g.EDPunktWert, g.EDPunktVirt, g.EDWinVirt,    -g.EDZugFaktor};
  for (int i = 0; i < kAnzahlGewichte; ++i)
    GewichtEdits[i]->setText(QString::fromStdString(ZahlZuText(werte[i], Dezimaltrenner())));
  SetzeWerte->setEnabled(false);
}

void BalanceTab::SetzeWerteClick() {
  std::array<std::string, kAnzahlGewichte> texte;
  for (int i = 0; i < kAnzahlGewichte; ++i) texte[i] = GewichtEdits[i]->text().toStdString();
  quarne::SetzeWerte(texte, einst_.gewichte, Dezimaltrenner());
  for (int i = 0; i < kAnzahlGewichte; ++i)
    GewichtEdits[i]->setText(QString::fromStdString(texte[i]));
  SetzeWerte->setEnabled(false);
}

void BalanceTab::SetzeStandardClick() {
  for (int i = 0; i < kAnzahlGewichte; ++i)
    GewichtEdits[i]->setText(
        QString::fromUtf8(kGewichtStandardTexte[i].data(), kGewichtStandardTexte[i].size()));
  for (QCheckBox* c : {CBPosition, CBMobil, CBMuster, CBVirtQuarne2, CBVirtGewinn2, NaherVorteilCB})
    c->setChecked(true);
  SetzeWerteClick();
}

}  // namespace quarne
