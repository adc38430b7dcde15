#!/usr/bin/env bash
# Builds library levels on a Slurm cluster: for each level a plan job, an array of calculation
# jobs (one task per shard) and an import job, chained with afterok, so that level L+1 is
# planned only once level L is imported. The folder must be shared by all nodes.
#
#   scripts/bib-slurm.sh DATEI --bis-stufe L --teile N [--tiefe T] [--von-stufe V]
#       [--ordner ORDNER] [--threads T] [--cli PFAD] [--sbatch "OPTIONEN"] [--warten]
#
# A level whose import has finished (ORDNER/stufe-L/importiert) is skipped, so the same call
# resumes a chain that stopped. When a task fails, its level's import and everything after it
# are cancelled and ORDNER/stufe-L/abgebrochen says which shards are unfinished; the failed
# task alone can be submitted again with "sbatch --array=K ORDNER/stufe-L/rechne.sh", and the
# same call as before then goes on with the rest.
set -euo pipefail

aufruf() {
  echo "Aufruf:" >&2
  sed -n '/^#   scripts/,/^#$/p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
}
fehler() { echo "bib-slurm: $*" >&2; exit 2; }

datei="" bis="" teile="" tiefe="" von=0 ordner="" threads=1 cli="" extra="" warten=0
while [ $# -gt 0 ]; do
  case "$1" in
    --bis-stufe) bis=${2:?}; shift 2 ;;
    --teile) teile=${2:?}; shift 2 ;;
    --tiefe) tiefe=${2:?}; shift 2 ;;
    --von-stufe) von=${2:?}; shift 2 ;;
    --ordner) ordner=${2:?}; shift 2 ;;
    --threads) threads=${2:?}; shift 2 ;;
    --cli) cli=${2:?}; shift 2 ;;
    --sbatch) extra=${2?}; shift 2 ;;
    --warten) warten=1; shift ;;
    --*) echo "Unbekannte Option $1" >&2; aufruf ;;
    *) [ -z "$datei" ] || aufruf; datei=$1; shift ;;
  esac
done
[ -n "$datei" ] && [ -n "$bis" ] && [ -n "$teile" ] || aufruf
zahl() { [[ $1 =~ ^[0-9]+$ ]] && [ "$1" -ge "$2" ] && [ "$1" -le "$3" ]; }
zahl "$bis" 0 17 || fehler "Die Stufe nach --bis-stufe muss eine ganze Zahl von 0 bis 17 sein."
zahl "$von" 0 "$bis" || fehler "Die Stufe nach --von-stufe muss zwischen 0 und --bis-stufe liegen."
zahl "$teile" 1 10000 || fehler "Die Zahl der Teile muss eine ganze Zahl von 1 bis 10000 sein."
zahl "$threads" 1 128 || fehler "Die Zahl der Threads muss eine ganze Zahl von 1 bis 128 sein."
[ -z "$tiefe" ] || zahl "$tiefe" 2 16 || fehler "Die Tiefe muss eine ganze Zahl von 2 bis 16 sein."
if [ -z "$cli" ]; then
  cli=$(command -v quarne-cli) || fehler "quarne-cli ist nicht im PATH; bitte --cli PFAD angeben."
fi
[ -x "$cli" ] || fehler "$cli ist kein ausführbares Programm."
command -v sbatch >/dev/null || fehler "sbatch fehlt: ist Slurm installiert und SLURM_CONF gesetzt?"

# Jobs run elsewhere: every path absolute.
absolut() { case "$1" in /*) echo "$1" ;; *) echo "$PWD/$1" ;; esac; }
datei=$(absolut "$datei")
cli=$(absolut "$cli")
[ -n "$ordner" ] || ordner="${datei%.*}-stufen"
ordner=$(absolut "$ordner")
mkdir -p "$ordner"
read -r -a optionen <<<"$extra"

# Submits a job script; prints its id.
abschicken() {
  sbatch --parsable --kill-on-invalid-dep=yes "${optionen[@]}" "$@" | cut -d';' -f1
}

# Writes a job script: the lines given, after a shebang and "set -euo pipefail".
skript() {
  local pfad=$1
  shift
  { echo '#!/usr/bin/env bash'; echo 'set -euo pipefail'; printf '%s\n' "$@"; } >"$pfad"
  chmod +x "$pfad"
}

q() { printf '%q' "$1"; }

vorher=""   # the job the next level's plan waits for
jobs=()
letzte=""   # marker of the last level's import
for ((L = von; L <= bis; L++)); do
  d=$ordner/stufe-$L
  letzte=$d/importiert
  if [ -e "$letzte" ]; then
    echo "Stufe $L ist schon importiert."
    continue
  fi
  mkdir -p "$d/protokoll"
  rm -f "$d/abgebrochen"
  ergebnisse=""
  for ((k = 1; k <= teile; k++)); do ergebnisse+=" $(q "$d/teil-$k.sbib")"; done
  skript "$d/plan.sh" \
    "exec $(q "$cli") bib plan $(q "$datei") --stufe $L --teile $teile --ordner $(q "$d") ${tiefe:+--tiefe $tiefe} --warten 3600"
  skript "$d/rechne.sh" \
    "k=\${SLURM_ARRAY_TASK_ID:?Nur als Task eines Job-Arrays: sbatch --array=K}" \
    "exec $(q "$cli") bib rechne $(q "$d")/teil-\$k --aus $(q "$d")/teil-\$k.sbib --threads $threads"
  skript "$d/importiere.sh" \
    "$(q "$cli") bib importiere $(q "$datei")$ergebnisse --warten 3600" \
    "touch $(q "$d/importiert")"
  skript "$d/abbruch.sh" \
    "{ echo 'Stufe $L: Ein Job ist fehlgeschlagen; die Kette ist hier abgebrochen.'" \
    "  $(q "$cli") bib status $(q "$d") || true; } | tee $(q "$d/abgebrochen")"

  nach=${vorher:+--dependency=afterok:$vorher}
  plan=$(abschicken $nach -J "quarne-plan-$L" -o "$d/protokoll/plan-%j.out" "$d/plan.sh")
  rechne=$(abschicken --dependency="afterok:$plan" --array="1-$teile" --cpus-per-task="$threads" \
    -J "quarne-rechne-$L" -o "$d/protokoll/rechne-%A_%a.out" "$d/rechne.sh")
  import=$(abschicken --dependency="afterok:$rechne" -J "quarne-import-$L" \
    -o "$d/protokoll/importiere-%j.out" "$d/importiere.sh")
  abbruch=$(abschicken --dependency="afternotok:$plan?afternotok:$rechne?afternotok:$import" \
    -J "quarne-abbruch-$L" -o "$d/protokoll/abbruch-%j.out" "$d/abbruch.sh")
  echo "Stufe $L: Plan $plan, Rechnen $rechne (Teile 1-$teile), Import $import"
  jobs+=("$plan" "$rechne" "$import" "$abbruch")
  vorher=$import
done

[ ${#jobs[@]} -gt 0 ] || { echo "Alle Stufen sind schon importiert."; exit 0; }
[ "$warten" -eq 1 ] || exit 0

ids=$(IFS=,; echo "${jobs[*]}")
while squeue -h -j "$ids" -t PD,R,CG,CF,S 2>/dev/null | grep -q .; do sleep 2; done
if [ -e "$letzte" ]; then
  echo "Fertig: Stufen $von bis $bis importiert in $datei."
  exit 0
fi
for ((L = von; L <= bis; L++)); do
  if [ -e "$ordner/stufe-$L/abgebrochen" ]; then
    cat "$ordner/stufe-$L/abgebrochen" >&2
    echo "Einen fehlgeschlagenen Teil K allein nachrechnen: sbatch --array=K $ordner/stufe-$L/rechne.sh;" \
      "danach denselben Aufruf wiederholen." >&2
    exit 1
  fi
done
echo "Die Kette ist nicht fertig geworden; siehe $ordner/stufe-*/protokoll." >&2
exit 1
