#!/usr/bin/env bash
# Measures how long quarne-cli needs to reach fixed depths (or how deep it gets in a second) over
# the positions of a file, per phase, depth, kind of search and number of threads. A measuring
# tool, not a test: it prints figures and judges nothing.
# shellcheck disable=SC1111  # the messages quote with German quotation marks
set -euo pipefail

wurzel=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
tiefen="10 11 12"
suchen="klassisch schnell"
threads="1 2"
anzahl=0
phasen=""
limit=600
datei="$wurzel/bench/positions.txt"
cli="$wurzel/build/app/quarne-cli"
modus=tiefe

hilfe() {
  cat <<'TEXT'
Aufruf: scripts/time-to-depth.sh [Optionen]

Misst die Zeit von „quarne-cli analyse STELLUNG --tiefe N --suche A --threads T“ für jede
Stellung einer Datei und gibt je Phase, Tiefe, Suche und Threadzahl den Median und die Spanne
(kleinste–größte) der Zeiten in Millisekunden aus, dazu die Verhältnisse der Mediane
schnell/klassisch und n Threads/1 Thread.

  --tiefen "N …"    Tiefen (Standard: "10 11 12")
  --suchen "A …"    Suchen, klassisch und/oder schnell (Standard: "klassisch schnell")
  --threads "T …"   Threadzahlen (Standard: "1 2")
  --anzahl K        nur die ersten K Stellungen jeder Phase (Standard: alle)
  --phasen "P …"    nur diese Phasen: Setzen, Ziehen, Springen (Standard: alle)
  --limit S         Zeitgrenze je Suche in Sekunden (Standard: 600); eine abgebrochene Suche
                    zählt mit der Grenze als Zeit und wird als Abbruch gezählt
  --datei DATEI     Stellungsdatei (Standard: bench/positions.txt)
  --cli PROGRAMM    quarne-cli (Standard: build/app/quarne-cli)
  --zeit            statt fester Tiefen „analyse --zeit 1“: Median und Spanne der erreichten
                    Tiefe je Phase, Suche und Threadzahl
  -h, --hilfe       diese Hilfe

Ein kurzer Lauf: scripts/time-to-depth.sh --anzahl 3 --tiefen "8 9"
Die Zeiten enthalten den Start des Programms (wenige Millisekunden).
TEXT
}

fehler() {
  echo "time-to-depth.sh: $*" >&2
  exit 2
}

while [[ $# -gt 0 ]]; do
  case "$1" in
    -h | --hilfe) hilfe; exit 0 ;;
    --zeit) modus=zeit; shift; continue ;;
    --tiefen | --suchen | --threads | --anzahl | --phasen | --limit | --datei | --cli)
      [[ $# -ge 2 ]] || fehler "Nach $1 fehlt der Wert."
      ;;
    *) fehler "Unbekannte Option „$1“. Hilfe mit --hilfe." ;;
  esac
  case "$1" in
    --tiefen) tiefen=$2 ;;
    --suchen) suchen=$2 ;;
    --threads) threads=$2 ;;
    --anzahl) anzahl=$2 ;;
    --phasen) phasen=$2 ;;
    --limit) limit=$2 ;;
    --datei) datei=$2 ;;
    --cli) cli=$2 ;;
  esac
  shift 2
done

# A whole number from $2 to $3.
zahlIn() { [[ $1 =~ ^[0-9]+$ ]] && ((10#$1 >= $2 && 10#$1 <= $3)); }
for n in $tiefen; do
  zahlIn "$n" 1 16 || fehler "Die Tiefe muss eine ganze Zahl von 1 bis 16 sein: „$n“."
done
for a in $suchen; do
  [[ $a == klassisch || $a == schnell ]] || fehler "Die Suche muss klassisch oder schnell sein: „$a“."
done
for t in $threads; do
  zahlIn "$t" 1 128 || fehler "Die Zahl der Threads muss von 1 bis 128 reichen: „$t“."
done
zahlIn "$anzahl" 0 100000 || fehler "--anzahl braucht eine ganze Zahl."
zahlIn "$limit" 1 100000 || fehler "--limit braucht eine ganze Zahl von Sekunden."
anzahl=$((10#$anzahl)) limit=$((10#$limit))
[[ -n $tiefen && -n $suchen && -n $threads ]] || fehler "Tiefen, Suchen und Threads dürfen nicht leer sein."
[[ -r $datei ]] || fehler "Die Stellungsdatei $datei kann nicht gelesen werden."
[[ -x $cli ]] || fehler "$cli fehlt; zuerst bauen (make build) oder mit --cli angeben."
command -v timeout >/dev/null || fehler "timeout (coreutils) fehlt."

# The positions: "[Phase]" starts a section, "#" a comment.
declare -a stellungPhase=() stellungText=()
declare -A jePhase=() phasenNr=()
phase=""
while IFS= read -r zeile || [[ -n $zeile ]]; do
  zeile=${zeile%$'\r'}
  [[ -z ${zeile//[[:space:]]/} || $zeile == \#* ]] && continue
  if [[ $zeile =~ ^\[(.+)\]$ ]]; then
    phase=${BASH_REMATCH[1]}
    [[ -n ${phasenNr[$phase]:-} ]] || phasenNr[$phase]=$((${#phasenNr[@]} + 1))
    continue
  fi
  [[ -n $phase ]] || fehler "$datei: Stellung vor der ersten Phase „[…]“: $zeile"
  if [[ -n $phasen && " $phasen " != *" $phase "* ]]; then continue; fi
  if ((anzahl > 0 && ${jePhase[$phase]:-0} >= anzahl)); then continue; fi
  jePhase[$phase]=$((${jePhase[$phase]:-0} + 1))
  stellungPhase+=("$phase")
  stellungText+=("$zeile")
done <"$datei"
((${#stellungText[@]} > 0)) || fehler "Keine Stellungen ausgewählt."

ergebnisse=$(mktemp)
trap 'rm -f "$ergebnisse"' EXIT

# One search; appends "phase key kind threads value aborted" to the results, the phase with
# its place in the file so that the table keeps the file's order.
messe() {
  local phase="${phasenNr[$1]} $1" schluessel=$2 art=$3 t=$4 stellung=$5
  shift 5
  local aus start ende code=0
  start=$(date +%s%N)
  aus=$(timeout -k 5 "$limit" "$cli" analyse "$stellung" "$@" --suche "$art" --threads "$t" 2>&1) ||
    code=$?
  ende=$(date +%s%N)
  if ((code == 124 || code == 137)); then
    echo "$phase $schluessel $art $t $((limit * 1000)) 1" >>"$ergebnisse"
    return
  fi
  ((code == 0)) || fehler "quarne-cli brach bei „$stellung“ mit $code ab: $aus"
  if [[ $modus == zeit ]]; then
    local tiefe
    tiefe=$(sed -n 's/^Erreichte Tiefe: \([0-9]*\).*/\1/p' <<<"$aus")
    [[ -n $tiefe ]] || tiefe=0  # no moves
    echo "$phase $schluessel $art $t $tiefe 0" >>"$ergebnisse"
  else
    echo "$phase $schluessel $art $t $(((ende - start) / 1000000)) 0" >>"$ergebnisse"
  fi
}

gesamt=${#stellungText[@]}
if [[ $modus == zeit ]]; then
  schluessel_liste="1"
else
  schluessel_liste=$tiefen
fi
for n in $schluessel_liste; do
  for art in $suchen; do
    for t in $threads; do
      for ((i = 0; i < gesamt; ++i)); do
        if [[ $modus == zeit ]]; then
          printf '\r%s, %s Thread(s): Stellung %d/%d ' "$art" "$t" $((i + 1)) "$gesamt" >&2
          messe "${stellungPhase[i]}" "$n" "$art" "$t" "${stellungText[i]}" --zeit 1
        else
          printf '\rTiefe %s, %s, %s Thread(s): Stellung %d/%d ' "$n" "$art" "$t" $((i + 1)) "$gesamt" >&2
          messe "${stellungPhase[i]}" "$n" "$art" "$t" "${stellungText[i]}" --tiefe "$n"
        fi
      done
    done
  done
done
printf '\r%*s\r' 60 '' >&2

# Median and range per group, then the ratios of the medians.
sort -k1,1n -k3,3n -k4,4 -k5,5n -k6,6n "$ergebnisse" | cut -d' ' -f2- | awk -v modus="$modus" -v suchen="$suchen" \
  -v threads="$threads" -v limit="$limit" '
function komma(x, stellen) { x = sprintf("%." stellen "f", x); sub(/\./, ",", x); return x }
function median(g,    n, m) {
  n = anzahl[g]; m = int((n + 1) / 2)
  return n % 2 ? wert[g, m] : (wert[g, m] + wert[g, m + 1]) / 2
}
{
  g = $1 SUBSEP $2 SUBSEP $3 SUBSEP $4
  if (!(g in anzahl)) { reihe[++gruppen] = g; anzahl[g] = 0; abbruch[g] = 0 }
  wert[g, ++anzahl[g]] = $5
  abbruch[g] += $6
  if (!($1 in phaseGesehen)) { phaseGesehen[$1] = 1; phase[++phasen] = $1 }
  if (!($2 in schluesselGesehen)) { schluesselGesehen[$2] = 1; schluessel[++schluessel_n] = $2 }
}
END {
  na = split(suchen, art, " "); nt = split(threads, th, " ")
  if (modus == "zeit") {
    print "Erreichte Tiefe mit „analyse --zeit 1“"
    printf "%-9s %-9s %7s %5s %7s %9s\n", "Phase", "Suche", "Threads", "n", "Median", "Spanne"
  } else {
    print "Zeit bis zur Tiefe in Millisekunden"
    printf "%-9s %5s %-9s %7s %5s %9s %17s\n", "Phase", "Tiefe", "Suche", "Threads", "n", "Median",
      "Spanne"
  }
  for (i = 1; i <= gruppen; ++i) {
    g = reihe[i]; split(g, teil, SUBSEP); n = anzahl[g]
    if (modus == "zeit")
      printf "%-9s %-9s %7s %5d %7s %9s\n", teil[1], teil[3], teil[4], n, komma(median(g), 1),
        wert[g, 1] "–" wert[g, n]
    else
    {
      printf "%-9s %5s %-9s %7s %5d %9d %17s", teil[1], teil[2], teil[3], teil[4], n, median(g),
        wert[g, 1] "–" wert[g, n]
      if (abbruch[g]) printf " (%d abgebrochen, mit %d s gezählt)", abbruch[g], limit
      print ""
    }
  }
  if (modus == "zeit") exit
  hat = 0
  for (p = 1; p <= phasen; ++p) for (k = 1; k <= schluessel_n; ++k) for (t = 1; t <= nt; ++t) {
    a = phase[p] SUBSEP schluessel[k] SUBSEP "klassisch" SUBSEP th[t]
    b = phase[p] SUBSEP schluessel[k] SUBSEP "schnell" SUBSEP th[t]
    if (!(a in anzahl) || !(b in anzahl)) continue
    if (!hat++) { print ""; print "Verhältnis der Mediane schnell/klassisch"
      printf "%-9s %5s %7s %11s\n", "Phase", "Tiefe", "Threads", "Verhältnis" }
    ma = median(a)
    printf "%-9s %5s %7s %11s\n", phase[p], schluessel[k], th[t],
      (ma > 0 ? komma(median(b) / ma, 2) : "–")
  }
  hat = 0
  for (p = 1; p <= phasen; ++p) for (k = 1; k <= schluessel_n; ++k) for (s = 1; s <= na; ++s)
    for (t = 2; t <= nt; ++t) {
      a = phase[p] SUBSEP schluessel[k] SUBSEP art[s] SUBSEP th[1]
      b = phase[p] SUBSEP schluessel[k] SUBSEP art[s] SUBSEP th[t]
      if (!(a in anzahl) || !(b in anzahl)) continue
      if (!hat++) { print ""; print "Verhältnis der Mediane n Threads/" th[1] " Thread(s)"
        printf "%-9s %5s %-9s %7s %11s\n", "Phase", "Tiefe", "Suche", "Threads", "Verhältnis" }
      ma = median(a)
      printf "%-9s %5s %-9s %7s %11s\n", phase[p], schluessel[k], art[s], th[t] "/" th[1],
        (ma > 0 ? komma(median(b) / ma, 2) : "–")
    }
}'
