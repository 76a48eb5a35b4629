#!/usr/bin/env bash
# A one-node Slurm cluster of this machine's CPUs, from Debian's slurmctld,
# slurmd, slurm-client and munge, kept whole in one folder: its slurm.conf,
# state, logs, ports and its own munged with its own key and socket. It
# leaves any other Slurm or munge on the machine alone: ports are chosen
# free, and stop ends only the processes this folder's start recorded.
#
#   local-slurm.sh start DIR   start the cluster (as root) and wait until its
#                              node takes jobs
#   local-slurm.sh stop DIR    cancel its jobs and end its daemons
#
# Every client call needs SLURM_CONF=DIR/slurm.conf (start prints it).
# Root is needed because slurmd runs each job as the user who submitted it
# and munged runs as the munge user.
set -euo pipefail

usage() {
    echo "usage: $0 start|stop DIR" >&2
    exit 2
}
[ $# -eq 2 ] || usage
command=$1
node=mirvok-local
marker="# Written by local-slurm.sh"

say() { echo "local-slurm: $*" >&2; }
fail() {
    say "$1"
    exit 1
}

if [ "$command" = start ] && [ "$(id -u)" -ne 0 ]; then
    fail "needs root: slurmd runs each job as its user, munged as munge"
fi
# start clears the folders it writes into, so it takes only a new or empty
# folder, or one of its own.
if [ "$command" = start ] && [ -d "$2" ] && [ -n "$(ls -A "$2")" ] &&
    ! grep -qsx "$marker" "$2/slurm.conf"; then
    fail "$2 holds other files: give a new or empty folder"
fi
[ "$command" != start ] || mkdir -p "$2"
[ -d "$2" ] || exit 0
dir=$(cd "$2" && pwd)
export SLURM_CONF=$dir/slurm.conf

# The pid a daemon's start recorded, if that process still runs and is still
# that daemon of this folder (its command line names a file in it).
live_pid() {
    local file=$dir/run/$1.pid pid
    [ -s "$file" ] || return 1
    pid=$(< "$file")
    if tr '\0' ' ' < "/proc/$pid/cmdline" 2> /dev/null | grep -qF "$dir/"; then
        echo "$pid"
    else
        return 1
    fi
}

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@" > /dev/null 2>&1; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.2
    done
}

port_free() { ! (exec 3<> "/dev/tcp/127.0.0.1/$1") 2> /dev/null; }

# Two neighbouring free ports, searched from a place that depends on the
# folder, so that clusters in different folders look in different places.
free_ports() {
    local port=$((20000 + $(cksum <<< "$dir" | cut -d' ' -f1) % 20000 / 2 * 2))
    local tries
    for ((tries = 0; tries < 200; tries++)); do
        if port_free "$port" && port_free $((port + 1)); then
            echo "$port"
            return
        fi
        port=$((port + 2 > 39998 ? 20000 : port + 2))
    done
    say "no two free ports found"
    return 1
}

write_config() {
    local port=$1
    cat > "$SLURM_CONF" <<CONF
$marker
# Everything of this cluster is in $dir.
ClusterName=mirvoklocal
SlurmctldHost=$(hostname -s)(127.0.0.1)
SlurmctldPort=$port
SlurmdPort=$((port + 1))
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$dir/munge/munged.socket
StateSaveLocation=$dir/state
SlurmdSpoolDir=$dir/spool
SlurmctldPidFile=$dir/run/slurmctld.daemon.pid
SlurmdPidFile=$dir/run/slurmd.daemon.pid
SlurmctldLogFile=$dir/log/slurmctld.log
SlurmdLogFile=$dir/log/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
MpiDefault=none
ReturnToService=2
MailProg=/bin/true
SchedulerParameters=batch_sched_delay=0
NodeName=$node NodeAddr=127.0.0.1 CPUs=$(nproc) State=UNKNOWN
PartitionName=local Nodes=$node Default=YES MaxTime=INFINITE State=UP
CONF
}

# Starts a daemon in the foreground of a session of its own (so that a
# terminal's Ctrl-C does not reach it) and records its pid.
launch() {
    local name=$1
    shift
    setsid "$@" < /dev/null > "$dir/log/$name.out" 2>&1 &
    echo $! > "$dir/run/$name.pid"
}

# munged wants its socket's folder open to all and its key's closed.
start_munged() {
    mkdir -p "$dir/munge/private"
    chown munge:munge "$dir/munge" "$dir/munge/private"
    chmod 755 "$dir/munge"
    chmod 700 "$dir/munge/private"
    [ -s "$dir/munge/private/munge.key" ] ||
        setpriv --reuid=munge --regid=munge --init-groups \
            mungekey --create --keyfile="$dir/munge/private/munge.key"
    launch munged setpriv --reuid=munge --regid=munge --init-groups \
        munged --foreground --socket="$dir/munge/munged.socket" \
        --key-file="$dir/munge/private/munge.key" --pid-file="$dir/munge/munged.pid" \
        --seed-file="$dir/munge/private/munged.seed" --log-file="$dir/munge/private/munged.log"
    wait_up munged 20 munge --socket="$dir/munge/munged.socket" --no-input
}

# Waits up to $2 seconds for the command after them to succeed while daemon
# $1 runs; otherwise fails with the end of the daemon's output.
wait_up() {
    local name=$1 deadline=$((SECONDS + $2))
    shift 2
    until "$@" > /dev/null 2>&1; do
        if ! kill -0 "$(< "$dir/run/$name.pid")" 2> /dev/null || [ $SECONDS -ge $deadline ]; then
            tail -n 20 "$dir/log/$name.out" >&2
            fail "$name did not start"
        fi
        sleep 0.2
    done
}

node_idle() { [ "$(sinfo --noheader --nodes="$node" --format=%t)" = idle ]; }

start() {
    local name
    for name in munged slurmctld slurmd; do
        ! live_pid "$name" > /dev/null || fail "a cluster already runs in $dir"
    done
    rm -rf "$dir/state" "$dir/spool" "$dir/run" "$dir/log"
    mkdir -p "$dir/state" "$dir/spool" "$dir/run" "$dir/log"
    # munged must reach its socket and key through this folder.
    chmod 755 "$dir"
    write_config "$(free_ports)"
    trap 'stop > /dev/null 2>&1' EXIT
    start_munged
    launch slurmctld slurmctld -D -f "$SLURM_CONF"
    wait_up slurmctld 30 scontrol ping
    launch slurmd slurmd -D -f "$SLURM_CONF" -N "$node"
    wait_up slurmd 60 node_idle
    trap - EXIT
    echo "SLURM_CONF=$SLURM_CONF"
}

# Ends a daemon this folder's start recorded: SIGTERM, SIGKILL when it has
# not ended after 20 seconds.
end_daemon() {
    local pid
    pid=$(live_pid "$1") || return 0
    kill -TERM "$pid" 2> /dev/null || return 0
    wait_for 20 eval "! live_pid $1" || kill -KILL "$pid" 2> /dev/null || true
    wait_for 5 eval "! live_pid $1" || say "$1 ($pid) did not end"
}

no_jobs() { [ -z "$(squeue --noheader --format=%i)" ]; }

stop() {
    # The jobs first, while slurmctld and slurmd can still end them: killing
    # slurmd alone would leave their slurmstepd and processes running.
    if live_pid slurmctld > /dev/null && scontrol ping > /dev/null 2>&1; then
        local ids
        mapfile -t ids < <(squeue --noheader --format=%A)
        [ ${#ids[@]} -eq 0 ] || scancel "${ids[@]}" 2> /dev/null || true
        wait_for 30 no_jobs || say "jobs still listed after scancel: $(squeue --noheader)"
    fi
    end_daemon slurmd
    end_daemon slurmctld
    end_daemon munged
    rm -f "$dir"/run/*.pid
}

case $command in
    start) start ;;
    stop) stop ;;
    *) usage ;;
esac
