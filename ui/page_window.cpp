#include "ui/page_window.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/design.h"

namespace quarne {

SeitenFenster::SeitenFenster(QWidget* parent) : QDialog(parent) {
  setObjectName("SeitenFenster");
  setModal(false);
  Text = new QTextBrowser(this);
  Text->setObjectName("SeitenText");
  Text->setOpenLinks(true);
  auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Close, this);
  knoepfe->button(QDialogButtonBox::Close)->setText("Schließen");
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::close);
  auto* l = new QVBoxLayout(this);
  l->addWidget(Text);
  l->addWidget(knoepfe);
  resize(D(1100), D(1000));
  connect(Text, &QTextBrowser::sourceChanged, this,
          [this] { setWindowTitle(Text->documentTitle()); });
}

void SeitenFenster::Zeige(const QString& seite) {
  Text->setSource(QUrl("qrc:/seiten/" + seite));
  setWindowTitle(Text->documentTitle());
  show();
  raise();
  activateWindow();
}

}  // namespace quarne
