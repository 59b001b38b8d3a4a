#!/usr/bin/env python3
"""Turns the JSON output of the benchmark programs into one table: ours against the peer measured
in the same run, the ratio, the target and a verdict.

usage: report.py TARGETS.tsv RESULT.json... [--markdown]

Each line of the targets file (tab-separated, '#' starts a comment):
    program  label  ours  peer  metric  target
- ours/peer: benchmark names as printed, without the '/iterations:N', '/manual_time', '/real_time'
  and '/min_time:..' suffixes; '-' for no peer.
- metric: 'real' or 'cpu' compare times as ours/peer; 'real_us', 'cpu_us', 'real_ms', 'cpu_ms' read
  ours alone in that unit; any other word names a counter (ours alone, or ours/peer with a peer).
- target: '<=x' or '>=x' on that ratio or value.
"""
import json
import re
import sys

SUFFIX = re.compile(r'/(iterations:\d+|manual_time|real_time|min_time:[0-9.]+s?|threads:\d+)')
TO_SECONDS = {'ns': 1e-9, 'us': 1e-6, 'ms': 1e-3, 's': 1.0}


def load(paths):
    runs = {}
    for path in paths:
        try:
            with open(path, encoding='utf-8') as f:
                data = json.load(f)
        except (OSError, ValueError) as e:
            print(f'report: cannot read {path}: {e}', file=sys.stderr)
            continue
        prog = re.sub(r'\.json$', '', path.rsplit('/', 1)[-1])
        for b in data.get('benchmarks', []):
            if b.get('run_type', 'iteration') != 'iteration':
                continue
            runs[(prog, SUFFIX.sub('', b['name']))] = b
    return runs


def value(run, metric):
    if metric in ('real', 'cpu'):
        return run[f'{metric}_time'] * TO_SECONDS[run.get('time_unit', 'ns')]
    m = re.fullmatch(r'(real|cpu)_(ns|us|ms|s)', metric)
    if m:
        seconds = run[f'{m.group(1)}_time'] * TO_SECONDS[run.get('time_unit', 'ns')]
        return seconds / TO_SECONDS[m.group(2)]
    if metric in run:
        return float(run[metric])
    raise KeyError(metric)


def fmt(run, metric):
    if run is None:
        return 'missing'
    if metric in ('real', 'cpu'):
        return f"{run[metric + '_time']:.4g} {run.get('time_unit', 'ns')}"
    return f'{value(run, metric):.4g}'


def main(argv):
    markdown = '--markdown' in argv
    args = [a for a in argv if a != '--markdown']
    if len(args) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    runs = load(args[1:])
    rows = []
    failed = 0
    with open(args[0], encoding='utf-8') as f:
        for line in f:
            line = line.split('#', 1)[0].rstrip('\n')
            if not line.strip():
                continue
            fields = [x.strip() for x in line.split('\t') if x.strip()]
            if len(fields) != 6:
                print(f'report: bad target line: {line!r}', file=sys.stderr)
                return 2
            prog, label, ours_name, peer_name, metric, target = fields
            if not any(p == prog for p, _ in runs):
                continue  # that program was not run this time
            ours = runs.get((prog, ours_name))
            peer = runs.get((prog, peer_name)) if peer_name != '-' else None
            op, limit = target[:2], float(target[2:])
            try:
                if ours is None or (peer_name != '-' and peer is None):
                    measured, verdict = None, 'not run'
                else:
                    measured = value(ours, metric)
                    if peer is not None:
                        measured /= value(peer, metric)
                    ok = measured <= limit if op == '<=' else measured >= limit
                    verdict = 'met' if ok else 'MISSED'
            except (KeyError, ZeroDivisionError):
                measured, verdict = None, 'no figure'
            if verdict != 'met':
                failed += 1
            rows.append([label, fmt(ours, metric), fmt(peer, metric) if peer_name != '-' else '-',
                         '-' if measured is None else f'{measured:.3g}', target, verdict])
    head = ['benchmark', 'ours', 'peer (same run)', 'ratio or value', 'target', 'verdict']
    if markdown:
        print('| ' + ' | '.join(head) + ' |')
        print('|' + '---|' * len(head))
        for r in rows:
            print('| ' + ' | '.join(r) + ' |')
    else:
        widths = [max(len(str(x[i])) for x in rows + [head]) for i in range(len(head))]
        for r in [head] + rows:
            print('  '.join(str(c).ljust(w) for c, w in zip(r, widths)).rstrip())
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
