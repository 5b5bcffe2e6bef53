#!/usr/bin/env bash
# A transfer that stops before its end, natively: a port that goes away mid-transfer fails at once
# and says so, and an interrupt stops a fleet with one line per port and exit 130. Each case then
# finds its scanner ready for the next download at once, and no temporary file left behind.
# Arguments: tessmar-cli, orlo-sim.
set -euo pipefail
cli=$1
sim=$2
work=$(mktemp -d)
sims=()
trap 'kill "${sims[@]}" 2>/dev/null || true; wait; rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
cd "$work"
"$cli" defaults -o settings.orl

# name | each simulator's options, ';' between them | command, on the ports p1, p2 | when to
# interrupt: never, after a second, or once a file is there | exit code | lines the output must
# hold, '@' between them (the answer to the last message before a port goes may get through)
cases=(
  "vanish mid-download|--unplug-after 20|download settings.orl --port p1|never|1|tessmar-cli: download failed: the port went away at packet 2[01] of 112: an adapter or a cable was unplugged"
  "vanish mid-read|--unplug-after 30|read --port p1 -o read.orl|never|1|tessmar-cli: read failed: the port went away at request 3[01] of 99 \\(offset 01[DE]0\\): an adapter or a cable was unplugged; read.orl was not written"
  "interrupted fleet download|--baud 9600;--baud 9600|download settings.orl --port p1 --port p2 --verify|1s|130|p1: interrupted at packet [0-9]+ of 112; the scanner keeps its previous settings@p2: interrupted at packet [0-9]+ of 112; the scanner keeps its previous settings"
  "interrupted fleet read|;--baud 9600|read --port p1 --port p2 -o fleet|fleet/p1-settings.orl|130|p1: read into fleet/p1-settings.orl \\(fingerprint [0-9A-F]{4}-[0-9A-F]{4}\\) before the interrupt@p2: interrupted at request [0-9]+ of 99 \\(offset [0-9A-F]{4}\\); fleet/p2-settings.orl was not written"
)

for row in "${cases[@]}"; do
  IFS='|' read -r name sim_options command interrupt expected_exit expected <<<"$row"
  IFS=';' read -r -a options_per_sim <<<"$sim_options"
  sims=()
  for n in "${!options_per_sim[@]}"; do
    # shellcheck disable=SC2086
    "$sim" ${options_per_sim[$n]} --away 200 --link "p$((n + 1))" >"sim$((n + 1))" 2>&1 &
    sims+=($!)
    until [[ -e "p$((n + 1))" ]]; do sleep 0.05; done
  done
  # shellcheck disable=SC2086
  "$cli" $command >out 2>&1 &
  run=$!
  if [[ $interrupt == 1s ]]; then
    sleep 1
  elif [[ $interrupt != never ]]; then
    until [[ -e $interrupt ]]; do sleep 0.02; done
  fi
  [[ $interrupt == never ]] || kill -INT "$run"
  status=0
  wait "$run" || status=$?
  [[ $status == "$expected_exit" ]] || fail "$name: exit $status, not $expected_exit: $(cat out)"
  IFS='@' read -r -a lines <<<"$expected"
  for line in "${lines[@]}"; do
    grep -Eqx "$line" out || fail "$name: no line '$line' in: $(cat out)"
  done
  leftovers=$(find . -name '.*' -type f)
  [[ -z "$leftovers" ]] || fail "$name: temporary files left: $leftovers"
  # The scanner that went away is back once its simulator opened a new line.
  while [[ $sim_options == *unplug* && $(wc -l <sim1) -lt 2 ]]; do sleep 0.05; done
  "$cli" download settings.orl --port p1 >out 2>&1 || fail "$name: the next download failed: $(cat out)"
  for pid in "${sims[@]}"; do kill "$pid"; done
  wait
  rm -rf fleet read.orl sim*
done
echo "link stop: ${#cases[@]} cases passed"
