#!/usr/bin/env bash
# A Slurm cluster of one node on this machine, for trying and testing the library's cluster
# build: Debian's slurmctld, slurmd and munged, started directly (no systemd needed), with
# their configuration, state, sockets and logs in one temporary folder.
#
#   scripts/slurm-local.sh start   starts it (or finds it running) and prints SLURM_CONF=...
#   scripts/slurm-local.sh stop    stops the daemons it started and removes the folder
#
# The folder is $QUARNE_SLURM_ORDNER (default /tmp/quarne-slurm). sbatch, squeue and scontrol
# reach the cluster with SLURM_CONF set to the printed file. Run as root, as Slurm's daemons
# need; the jobs run as the user who submits them.
set -euo pipefail

ordner=${QUARNE_SLURM_ORDNER:-/tmp/quarne-slurm}
conf=$ordner/slurm.conf

fehler() { echo "slurm-local: $*" >&2; exit 1; }

laeuft() {  # pid file -> the process it names is alive
  [ -s "$1" ] && kill -0 "$(cat "$1")" 2>/dev/null
}

knoten_bereit() {
  local zustand
  zustand=$(SLURM_CONF=$conf scontrol show node -o 2>/dev/null | grep -o 'State=[A-Z+_]*' || true)
  [[ $zustand == State=IDLE* || $zustand == State=MIXED* || $zustand == State=ALLOCATED* ]]
}

start() {
  for p in slurmctld slurmd munged sbatch scontrol mungekey; do
    command -v "$p" >/dev/null || [ -x "/usr/sbin/$p" ] ||
      fehler "$p fehlt: scripts/install-deps.sh slurm installiert Slurm und munge."
  done
  [ "$(id -u)" -eq 0 ] || fehler "Die Daemons von Slurm und munge brauchen root."
  if laeuft "$ordner/slurmctld.pid" && laeuft "$ordner/slurmd.pid" && knoten_bereit; then
    echo "SLURM_CONF=$conf"
    return
  fi
  stopp >/dev/null 2>&1 || true
  mkdir -p "$ordner"/{munge,ctld,d}
  chmod 700 "$ordner/munge"

  # munge: a key of its own and its socket in the folder.
  PATH=$PATH:/usr/sbin mungekey --create --keyfile="$ordner/munge/munge.key" --force
  chmod 400 "$ordner/munge/munge.key"
  PATH=$PATH:/usr/sbin munged --force --key-file="$ordner/munge/munge.key" \
    --socket="$ordner/munge/munge.socket" --pid-file="$ordner/munge/munged.pid" \
    --log-file="$ordner/munge/munged.log" --seed-file="$ordner/munge/munged.seed"

  local knoten cpus speicher
  knoten=$(hostname -s)
  cpus=$(nproc)
  speicher=$(($(awk '/MemTotal/ {print $2}' /proc/meminfo) / 1024 / 2))
  cat >"$conf" <<KONF
ClusterName=quarne
SlurmctldHost=$knoten(127.0.0.1)
SlurmctldPort=16817
SlurmdPort=16818
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$ordner/munge/munge.socket
StateSaveLocation=$ordner/ctld
SlurmdSpoolDir=$ordner/d
SlurmctldPidFile=$ordner/slurmctld.pid
SlurmdPidFile=$ordner/slurmd.pid
SlurmctldLogFile=$ordner/slurmctld.log
SlurmdLogFile=$ordner/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
MpiDefault=none
SchedulerType=sched/backfill
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
ReturnToService=2
SlurmctldTimeout=30
SlurmdTimeout=30
NodeName=$knoten NodeAddr=127.0.0.1 CPUs=$cpus RealMemory=$speicher State=UNKNOWN
PartitionName=lokal Nodes=$knoten Default=YES MaxTime=INFINITE State=UP
KONF
  SLURM_CONF=$conf slurmctld -f "$conf" -i
  SLURM_CONF=$conf slurmd -f "$conf"
  for _ in $(seq 1 60); do
    if knoten_bereit; then
      echo "SLURM_CONF=$conf"
      return
    fi
    sleep 1
  done
  tail -n 20 "$ordner/slurmctld.log" "$ordner/slurmd.log" >&2 || true
  stopp >/dev/null 2>&1 || true
  fehler "Der Knoten wurde nicht bereit; die Protokolle stehen oben."
}

stopp() {
  [ -d "$ordner" ] || return 0
  for pid in "$ordner/slurmd.pid" "$ordner/slurmctld.pid" "$ordner/munge/munged.pid"; do
    if laeuft "$pid"; then
      kill "$(cat "$pid")"
      for _ in $(seq 1 20); do laeuft "$pid" || break; sleep 0.5; done
    fi
  done
  rm -rf "$ordner"
  echo "Slurm gestoppt."
}

case "${1:-}" in
  start) start ;;
  stop) stopp ;;
  *) echo "Aufruf: scripts/slurm-local.sh start|stop" >&2; exit 2 ;;
esac
