// Renders the two wooden stone pictures: discs cut across a branch (growth rings, rays, pores),
// turned with a rounded rim and a groove, varnished, lit from the top left, with a soft shadow
// on a transparent background. Deterministic: the same pictures on every run.
//
//   stone_pictures <ordner>   writes <ordner>/stein_weiss.png and <ordner>/stein_schwarz.png

#include <QColor>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

constexpr int kGroesse = 512;
// Samples per pixel along each axis; the rings and rays are finer than a pixel at the rim.
constexpr int kUeberabtastung = 3;
constexpr double kPi = 3.14159265358979323846;

struct Farbe {
  double r, g, b;
};

Farbe Mische(Farbe a, Farbe b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Farbe Mal(Farbe a, double f) {
  return {a.r * f, a.g * f, a.b * f};
}
Farbe Plus(Farbe a, Farbe b) {
  return {a.r + b.r, a.g + b.g, a.b + b.b};
}

double Glatt(double kante0, double kante1, double x) {
  const double t = std::clamp((x - kante0) / (kante1 - kante0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

double Zufall(int x, int y, std::uint32_t saat) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                    static_cast<std::uint32_t>(y) * 668265263u + saat * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return h / 4294967295.0;
}

// Value noise in 0..1.
double Rauschen(double x, double y, std::uint32_t saat) {
  const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
  const double fx = x - ix, fy = y - iy;
  const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  const double a = Zufall(ix, iy, saat), b = Zufall(ix + 1, iy, saat);
  const double c = Zufall(ix, iy + 1, saat), d = Zufall(ix + 1, iy + 1, saat);
  return a + (b - a) * sx + (c - a) * sy + (a - b - c + d) * sx * sy;
}

// Value noise that repeats every `periode` units along x, for patterns around a circle.
double RauschenRund(double x, double y, int periode, std::uint32_t saat) {
  const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
  const double fx = x - ix, fy = y - iy;
  const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  const int x0 = ((ix % periode) + periode) % periode, x1 = (x0 + 1) % periode;
  const double a = Zufall(x0, iy, saat), b = Zufall(x1, iy, saat);
  const double c = Zufall(x0, iy + 1, saat), d = Zufall(x1, iy + 1, saat);
  return a + (b - a) * sx + (c - a) * sy + (a - b - c + d) * sx * sy;
}

double Fbm(double x, double y, int oktaven, std::uint32_t saat) {
  double summe = 0, amplitude = 0.5, gesamt = 0;
  for (int o = 0; o < oktaven; ++o) {
    summe += amplitude * Rauschen(x, y, saat + o * 101);
    gesamt += amplitude;
    x *= 2.03;
    y *= 2.03;
    amplitude *= 0.5;
  }
  return summe / gesamt;
}

struct Holzart {
  Farbe frueh;            // early wood, the broad light part of a ring
  Farbe spaet;            // late wood, the narrow dark band
  Farbe strahl;           // medullary rays
  double ringe;           // rings per unit of radius
  double mark_x, mark_y;  // the pith, off the disc's centre
  double glanz;           // varnish highlight
  std::uint32_t saat;
};

constexpr double kRadius = 0.9;  // disc radius in units of the half picture
constexpr double kRand = 0.24;   // rounded rim, part of the radius
constexpr double kRille = 0.58;  // turned groove, part of the radius
constexpr double kRilleBreite = 0.035;

// Colour and coverage of the stone at (u, v) in -1..1; coverage 0 outside the disc.
struct Probe {
  Farbe farbe;
  double deckung;
  double schatten;
};

Probe Taste(const Holzart& h, double u, double v, double pixel) {
  Probe p{{0, 0, 0}, 0, 0};
  // Shadow: the disc moved down and right, with a soft edge.
  const double su = u - 0.035, sv = v - 0.05;
  p.schatten = 0.5 * (1 - Glatt(kRadius - 0.06, kRadius + 0.07, std::sqrt(su * su + sv * sv)));

  const double r = std::sqrt(u * u + v * v);
  p.deckung = std::clamp((kRadius - r) / pixel + 0.5, 0.0, 1.0);
  if (p.deckung <= 0) return p;

  // Wood: rings around the pith, warped by noise; rays across them; pores along them.
  const double du = u - h.mark_x, dv = v - h.mark_y;
  const double abstand = std::sqrt(du * du + dv * dv);
  // Around the pith in turns, 0..1, for the rays.
  const double umlauf = std::atan2(dv, du) / (2 * kPi) + 0.5;
  const double verzug = 0.09 * (Fbm(u * 2.2 + 7, v * 2.2 + 3, 4, h.saat) - 0.5);
  // Rings of uneven width, as the years differ.
  const double ungleich = 0.8 * (Fbm(abstand * 2.5, 0.5, 3, h.saat + 17) - 0.5);
  const double phase = (abstand + verzug) * h.ringe + ungleich;
  const double inRing = phase - std::floor(phase);
  const double spaet = Glatt(0.55, 0.82, inRing) * (1 - Glatt(0.9, 1.0, inRing));
  const double ringStaerke = 0.55 + 0.45 * Fbm(u * 3 + 11, v * 3 + 5, 2, h.saat + 5);
  Farbe holz = Mische(h.frueh, h.spaet, spaet * ringStaerke);
  constexpr int kStrahlen = 150;
  const double strahl = RauschenRund(umlauf * kStrahlen, abstand * 5, kStrahlen, h.saat + 31);
  holz = Mische(holz, h.strahl, 0.35 * Glatt(0.82, 0.97, strahl));
  constexpr int kPoren = 320;
  const double pore = RauschenRund(umlauf * kPoren, phase * 6, kPoren, h.saat + 47);
  holz = Mal(holz, 1 - 0.1 * Glatt(0.7, 1.0, pore) * (1 - spaet));
  holz = Mal(holz, 0.94 + 0.12 * Fbm(u * 9, v * 9, 3, h.saat + 59));

  // Surface: flat top, a turned groove, a rounded rim; the normal tilts outwards by the slope.
  const double s = r / kRadius;
  double neigung = 0;
  if (s > 1 - kRand) {
    const double t = (s - (1 - kRand)) / kRand;
    neigung = std::asin(std::min(t, 1.0)) * 0.95;
  }
  const double g = (s - kRille) / kRilleBreite;
  if (std::abs(g) < 1) neigung -= 0.45 * std::sin(kPi * g);
  // Slight doming of the top so the light runs across it.
  neigung += 0.12 * s;
  const double ru = r > 1e-9 ? u / r : 0, rv = r > 1e-9 ? v / r : 0;
  const double nx = ru * std::sin(neigung), ny = rv * std::sin(neigung);
  const double nz = std::cos(neigung);

  // Light from the top left and a little in front.
  const double lx = -0.48, ly = -0.62, lz = 0.62;
  const double ll = std::sqrt(lx * lx + ly * ly + lz * lz);
  const double diffus = std::max(0.0, (nx * lx + ny * ly + nz * lz) / ll);
  const double hx = lx / ll, hy = ly / ll, hz = lz / ll + 1;
  const double hl = std::sqrt(hx * hx + hy * hy + hz * hz);
  const double spiegel = std::pow(std::max(0.0, (nx * hx + ny * hy + nz * hz) / hl), 60);

  Farbe licht = Mal(holz, 0.42 + 0.72 * diffus);
  licht = Plus(licht, Mal(Farbe{255, 250, 240}, h.glanz * spiegel));
  // A dark line where the rim meets the ground, so light stones stand out on a light board.
  licht = Mal(licht, 1 - 0.45 * Glatt(0.97, 1.0, s));
  p.farbe = licht;
  return p;
}

QImage Male(const Holzart& h) {
  QImage bild(kGroesse, kGroesse, QImage::Format_ARGB32);
  const double pixel = 2.0 / kGroesse;
  const double unter = pixel / kUeberabtastung;
  for (int y = 0; y < kGroesse; ++y) {
    QRgb* zeile = reinterpret_cast<QRgb*>(bild.scanLine(y));
    for (int x = 0; x < kGroesse; ++x) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int j = 0; j < kUeberabtastung; ++j)
        for (int i = 0; i < kUeberabtastung; ++i) {
          const double u = -1 + (x + (i + 0.5) / kUeberabtastung) * pixel;
          const double v = -1 + (y + (j + 0.5) / kUeberabtastung) * pixel;
          const Probe p = Taste(h, u, v, unter);
          // The stone over its shadow, premultiplied.
          const double schatten = p.schatten * (1 - p.deckung);
          r += p.farbe.r * p.deckung;
          g += p.farbe.g * p.deckung;
          b += p.farbe.b * p.deckung;
          a += p.deckung + schatten;
        }
      const double n = kUeberabtastung * kUeberabtastung;
      const double alpha = a / n;
      const auto kanal = [alpha](double premultipliziert) {
        return alpha > 0 ? static_cast<int>(std::clamp(premultipliziert / alpha, 0.0, 255.0) + 0.5)
                         : 0;
      };
      zeile[x] = qRgba(kanal(r / n), kanal(g / n), kanal(b / n),
                       static_cast<int>(std::clamp(alpha, 0.0, 1.0) * 255 + 0.5));
    }
  }
  return bild;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Aufruf: stone_pictures <ordner>\n");
    return 2;
  }
  const std::string ordner = argv[1];
  // Maple for white, stained walnut for black.
  const Holzart weiss{
      {242, 222, 184}, {205, 163, 108}, {250, 236, 205}, 12.0, 0.21, -0.16, 0.30, 11};
  const Holzart schwarz{{80, 50, 31}, {50, 29, 17}, {108, 74, 49}, 10.0, -0.18, 0.14, 0.22, 29};
  const struct {
    const Holzart* art;
    const char* datei;
  } bilder[] = {{&weiss, "stein_weiss.png"}, {&schwarz, "stein_schwarz.png"}};
  for (const auto& b : bilder) {
    const std::string pfad = ordner + "/" + b.datei;
    if (!Male(*b.art).save(QString::fromStdString(pfad), "PNG")) {
      std::fprintf(stderr, "Kann %s nicht schreiben.\n", pfad.c_str());
      return 1;
    }
  }
  return 0;
}
