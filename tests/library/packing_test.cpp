#include "library/packing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "library/image_header.h"

namespace quarne {
namespace {

struct Lauf {
  std::uint64_t nachByte;
  std::uint16_t cnt;
  bool operator==(const Lauf&) const = default;
};

// The run records and literal bytes of a container, read by the layout of the format.
struct Zerlegt {
  std::vector<Lauf> laeufe;
  Bytes literale;
};

Zerlegt Zerlege(const Bytes& container) {
  Zerlegt z;
  ByteReader r(container, kVorspannBytes);
  std::uint64_t k = 0;
  EXPECT_TRUE(r.U64(k));
  for (std::uint64_t i = 0; i < k; ++i) {
    std::uint8_t hoch = 0;
    std::uint32_t tief = 0;
    std::uint16_t cnt = 0;
    EXPECT_TRUE(r.U8(hoch) && r.U32(tief) && r.U16(cnt));
    z.laeufe.push_back({std::uint64_t{hoch} << 32 | tief, cnt});
  }
  z.literale.assign(container.begin() + static_cast<std::ptrdiff_t>(r.Pos()), container.end());
  return z;
}

// A container with the given run count and the bytes after it, its own header correct.
Bytes Roh(std::uint64_t k, const Bytes& rest) {
  Bytes c;
  BeginneVorspann(c, kStempelGepackt);
  ByteWriter(c).U64(k);
  c.insert(c.end(), rest.begin(), rest.end());
  SchliesseVorspann(c);
  return c;
}

// A container with any run records and literal bytes.
Bytes Container(const std::vector<Lauf>& laeufe, const Bytes& literale) {
  Bytes rest;
  ByteWriter w(rest);
  for (const Lauf& l : laeufe) {
    w.U8(static_cast<std::uint8_t>(l.nachByte >> 32));
    w.U32(static_cast<std::uint32_t>(l.nachByte));
    w.U16(l.cnt);
  }
  rest.insert(rest.end(), literale.begin(), literale.end());
  return Roh(laeufe.size(), rest);
}

// The header of a library image that declares `groesse` bytes.
Bytes Kopf(std::int64_t groesse) {
  Bytes k;
  ByteWriter w(k);
  w.U32(kStempelBib);
  w.I64(groesse);
  w.U64(0);
  return k;
}

// A plain library image (header and sum correct) with the given bytes after the header.
Bytes Abbild(const Bytes& rumpf) {
  Bytes a;
  BeginneVorspann(a, kStempelBib);
  a.insert(a.end(), rumpf.begin(), rumpf.end());
  SchliesseVorspann(a);
  return a;
}

Bytes Nullen(std::size_t n) {
  return Bytes(n, 0);
}

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(Komprimiere, NullLaeufe) {
  const struct {
    const char* fall;
    Bytes eingabe;
    std::vector<Lauf> laeufe;
    std::size_t literale;
  } faelle[] = {
      {"7 Nullen bleiben", Bytes{1} + Nullen(7) + Bytes{2}, {}, 9},
      {"8 Nullen werden ein Lauf", Bytes{1} + Nullen(8) + Bytes{2}, {{1, 8}}, 2},
      {"7 Nullen am Ende bleiben", Bytes{1, 2} + Nullen(7), {}, 9},
      {"Nullen am Ende samt dem letzten Byte", Bytes{1, 2} + Nullen(10), {{2, 10}}, 2},
      {"65536 Nullen", Nullen(65536), {{0, 65535}}, 1},
      {"140000 Nullen", Nullen(140000), {{0, 65535}, {65535, 65535}, {131070, 8930}}, 0},
      {"Läufe hinter Bytes",
       Bytes{3} + Nullen(9) + Bytes{4, 5} + Nullen(8) + Bytes{6},
       {{1, 9}, {12, 8}},
       4},
  };
  for (const auto& f : faelle) {
    const Zerlegt z = Zerlege(Komprimiere(f.eingabe));
    EXPECT_EQ(z.laeufe, f.laeufe) << f.fall;
    EXPECT_EQ(z.literale.size(), f.literale) << f.fall;
  }
}

TEST(Komprimiere, ContainerKopfUndLaufDatensatz) {
  const Bytes c = Komprimiere(Bytes{9} + Nullen(300) + Bytes{7});
  EXPECT_EQ(PruefeVorspann(c, kStempelGepackt), TBibCode::Ok);
  const Bytes erwartet = {0x02, 0x84, 0x37, 0x46};
  EXPECT_EQ(Bytes(c.begin(), c.begin() + 4), erwartet);
  // K, then the run: bits 32..39 of the offset, bits 0..31, the length; then the literals.
  const Bytes rest = {1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0x2C, 0x01, 9, 7};
  EXPECT_EQ(Bytes(c.begin() + 20, c.end()), rest);
}

TEST(Dekomprimiere, StelltJedesAbbildByteGenauWiederHer) {
  Bytes gemischt;
  for (int i = 0; i < 5000; ++i) gemischt.push_back(i % 13 < 9 ? 0 : static_cast<std::uint8_t>(i));
  const Bytes faelle[] = {
      Abbild({}),
      Abbild(Bytes{1} + Nullen(7) + Bytes{2} + Nullen(8) + Bytes{3}),
      Abbild(Bytes{5} + Nullen(20)),
      Abbild(Nullen(140000)),
      Abbild(Nullen(65535) + Bytes{1} + Nullen(65536)),
      Abbild(gemischt),
  };
  for (const Bytes& abbild : faelle) {
    const TEntpackt e = Dekomprimiere(Komprimiere(abbild), abbild.size());
    ASSERT_EQ(e.Code, TBibCode::Ok) << abbild.size();
    EXPECT_EQ(e.Abbild, abbild) << abbild.size();
    EXPECT_EQ(PruefeVorspann(e.Abbild, kStempelBib), TBibCode::Ok);
  }
}

TEST(Dekomprimiere, LehntFeindlicheContainerAb) {
  const Bytes abbild = Abbild(Bytes{1, 2, 3});
  Bytes falscherStempel = Komprimiere(abbild);
  falscherStempel[0] ^= 1;
  Bytes falscheSumme = Komprimiere(abbild);
  ++falscheSumme[12];
  Bytes nurKopf;
  BeginneVorspann(nurKopf, kStempelGepackt);
  SchliesseVorspann(nurKopf);
  const Bytes daten = {1, 2, 3};

  const struct {
    const char* fall;
    Bytes container;
    TBibCode code;
  } faelle[] = {
      {"kürzer als der Kopf", Bytes(19, 1), TBibCode::NoVorspann},
      {"falscher Stempel", falscherStempel, TBibCode::Stempel},
      {"Summe um eins falsch", falscheSumme, TBibCode::Summe},
      {"ohne Laufzahl", nurKopf, TBibCode::Fit},
      {"mehr Läufe als Bytes", Roh(std::uint64_t{1} << 60, abbild), TBibCode::Fit},
      {"halber Laufdatensatz", Roh(1, {0, 23, 0}), TBibCode::Fit},
      {"Lauf hinter dem Ende der Daten", Container({{40, 8}}, Kopf(31) + daten), TBibCode::Fit},
      {"Lauf hinter dem Ende, ohne Kopf", Container({{10, 8}}, daten), TBibCode::Fit},
      {"Lauf hinter schon Erzeugtem", Container({{23, 8}, {25, 8}}, Kopf(39) + daten),
       TBibCode::Fit},
      // A small file whose runs would make 65 MB of an image that declares 30 bytes.
      {"mehr als der Kopf angibt",
       Container(std::vector<Lauf>(1000, {23, 65535}), Kopf(30) + daten), TBibCode::Size},
      {"weniger als der Kopf angibt", Container({}, Kopf(30) + daten), TBibCode::Size},
  };
  for (const auto& f : faelle) {
    const TEntpackt e = Dekomprimiere(f.container, SIZE_MAX);
    EXPECT_EQ(e.Code, f.code) << f.fall;
    EXPECT_FALSE(e.ZuGross) << f.fall;
    EXPECT_TRUE(e.Abbild.empty()) << f.fall;
  }
}

// A container whose image is longer than allowed is refused before it is rebuilt, however
// honest it is otherwise; one byte less than its length is already too little.
TEST(Dekomprimiere, HoechstensSoLangWieErlaubt) {
  const Bytes abbild = Abbild(Nullen(140000));
  const Bytes container = Komprimiere(abbild);
  EXPECT_EQ(Dekomprimiere(container, abbild.size()).Code, TBibCode::Ok);
  const TEntpackt zuLang = Dekomprimiere(container, abbild.size() - 1);
  EXPECT_EQ(zuLang.Code, TBibCode::Size);
  EXPECT_TRUE(zuLang.ZuGross);
  EXPECT_TRUE(zuLang.Abbild.empty());
}

}  // namespace
}  // namespace quarne
