#!/usr/bin/env python3
"""The peer bench's report: medians of the samples of peer_bench, the ratios
to the reference installer and to the floor programs, and each goal met or
its distance, as Markdown.

  report.py SAMPLES SIZES IMAGE_BENCH_OUTPUT CONDITIONS > report.md

SAMPLES: lines "FIGURE PROGRAM VALUE" (peer_bench). SIZES: lines "NAME BYTES"
(setup, setup_payload, reference, reference_payload). IMAGE_BENCH_OUTPUT: what
the image decoding bench printed. CONDITIONS: lines of free text about the
run (Wine, processors, load), copied into the report.
"""
import statistics
import sys

SIZE_GOAL = 360 * 1024
FIRST_WINDOW_FLOOR_GOAL = 1.2  # times the bare MessageBoxA program's
FIRST_WINDOW_GOAL = 0.80  # times the reference's
WORKING_SET_GOAL = 0.90  # times the reference's
CPU_GOAL = 0.01  # or 1.1 times the floor's share, where that is above 1 %
CPU_FLOOR_FACTOR = 1.1
# Times the progress floor's: both wait 0.1 s after each position and 0.5 s
# after the last, so what the setup program adds is its own work.
DONE_FLOOR_GOAL = 1.01
CPU_FROM_MS = 500  # the window of the CPU share, after the click (peer_bench)
CPU_TO_MS = 6000


def read_samples(path):
    samples = {}
    failures = []
    for line in open(path, encoding='ascii'):
        parts = line.split()
        if len(parts) != 3:
            continue
        figure, program, value = parts
        if figure == 'failed':
            failures.append(program)
            continue
        samples.setdefault((figure, program), []).append(float(value))
    return samples, failures


def read_sizes(path):
    sizes = {}
    for line in open(path, encoding='ascii'):
        name, value = line.split()
        sizes[name] = int(value)
    return sizes


def median(samples, figure, program):
    values = samples.get((figure, program))
    return statistics.median(values) if values else None


def mean(samples, figure, program):
    values = samples.get((figure, program))
    return statistics.mean(values) if values else None


def cpu_step(samples):
    """The smallest difference between two CPU times of the samples, in ms."""
    times = sorted({round(v * (CPU_TO_MS - CPU_FROM_MS), 1)
                    for (figure, _), values in samples.items()
                    if figure == 'animation_cpu_share' for v in values})
    steps = [b - a for a, b in zip(times, times[1:]) if b - a >= 1]
    return min(steps) if steps else None


def ratio(a, b):
    return a / b if a is not None and b else None


def text(value, form):
    return '—' if value is None else form.format(value)


def verdict(value, goal, form):
    """'met', or how far the value is above the goal, in the value's form."""
    if value is None:
        return 'not measured'
    if value <= goal:
        return 'met'
    return 'not met: ' + form.format(value - goal) + ' above'


def report(samples, failures, sizes, image_bench, conditions):
    out = []
    counts = sorted({len(v) for v in samples.values()})
    out.append('# Peer bench')
    out.append('')
    out.append('Medians of %s interleaved repetitions, under Wine, on one machine, in one run.'
               % ('/'.join(str(c) for c in counts) or 'no'))
    out.append('')
    for line in conditions:
        out.append('- ' + line)
    if failures:
        out.append('- runs that failed (left out): ' + ', '.join(
            '%s × %d' % (p, failures.count(p)) for p in sorted(set(failures))))
    out.append('')

    first = {p: median(samples, 'first_window_ms', p) for p in ('setup', 'reference', 'box_floor')}
    peak = {p: median(samples, 'peak_working_set_bytes', p)
            for p in ('setup', 'reference', 'box_floor')}
    setup_rest = sizes['setup'] - sizes['setup_payload']
    reference_rest = sizes['reference'] - sizes['reference_payload']

    out.append('| figure | MorvaneSetup.exe | reference (NSIS) | bare MessageBoxA program (the floor) '
               '| setup / reference |')
    out.append('|---|---|---|---|---|')
    out.append('| (a) first visible window, median | %s | %s | %s | %s |' % (
        text(first['setup'], '{:.0f} ms'), text(first['reference'], '{:.0f} ms'),
        text(first['box_floor'], '{:.0f} ms'),
        text(ratio(first['setup'], first['reference']), '{:.3f}')))
    out.append('| (b) peak working set, median | %s | %s | %s | %s |' % (
        text(peak['setup'] and peak['setup'] / 1e6, '{:.1f} MB'),
        text(peak['reference'] and peak['reference'] / 1e6, '{:.1f} MB'),
        text(peak['box_floor'] and peak['box_floor'] / 1e6, '{:.1f} MB'),
        text(ratio(peak['setup'], peak['reference']), '{:.3f}')))
    out.append('| (c) size minus payload | {:,} bytes | {:,} bytes | | {:.3f} |'.format(
        setup_rest, reference_rest, setup_rest / reference_rest))
    out.append('')
    out.append('Sizes: MorvaneSetup.exe {:,} bytes with {:,} bytes of payload stored as it is; '
               'the reference {:,} bytes with the same files stored in {:,} bytes (LZMA).'.format(
                   sizes['setup'], sizes['setup_payload'], sizes['reference'],
                   sizes['reference_payload']))
    out.append('')

    cpu = median(samples, 'animation_cpu_share', 'setup')
    cpu_floor = median(samples, 'animation_cpu_share', 'progress_floor')
    done = median(samples, 'click_to_done_ms', 'setup')
    done_floor = median(samples, 'click_to_done_ms', 'progress_floor')
    out.append('For the setup program alone, beside a bare program that moves a progress bar '
               'through the same 59 positions with the same waits (the floor):')
    out.append('')
    out.append('| figure | MorvaneSetup.exe | the floor | setup / floor |')
    out.append('|---|---|---|---|')
    out.append('| (d) CPU share, 0.5 s to 6.0 s after the click, median | %s | %s | %s |' % (
        text(cpu and cpu * 100, '{:.2f} %'), text(cpu_floor and cpu_floor * 100, '{:.2f} %'),
        text(ratio(cpu, cpu_floor), '{:.2f}')))
    out.append('| (e) from the click to the final box, median | %s | %s | %s |' % (
        text(done and done / 1000, '{:.3f} s'), text(done_floor and done_floor / 1000, '{:.3f} s'),
        text(ratio(done, done_floor), '{:.3f}')))
    out.append('')
    # Wine reports a process's CPU time in steps of its kernel's ticks
    # (tens of milliseconds, a few tenths of a point of the share): the mean
    # of the samples is finer than any one of them.
    cpu_mean = mean(samples, 'animation_cpu_share', 'setup')
    cpu_floor_mean = mean(samples, 'animation_cpu_share', 'progress_floor')
    out.append('CPU time under Wine comes in steps (%s here, %s of the share); the means of the '
               'CPU shares: %s for the setup program, %s for the floor.' % (
                   text(cpu_step(samples), '{:.0f} ms'),
                   text(cpu_step(samples) and cpu_step(samples) / (CPU_TO_MS - CPU_FROM_MS) * 100,
                        '{:.2f} points'),
                   text(cpu_mean and cpu_mean * 100, '{:.2f} %'),
                   text(cpu_floor_mean and cpu_floor_mean * 100, '{:.2f} %')))
    out.append('')

    cpu_goal = CPU_GOAL
    if cpu_floor is not None and cpu_floor > CPU_GOAL:
        cpu_goal = CPU_FLOOR_FACTOR * cpu_floor
    out.append('| goal | figure | verdict |')
    out.append('|---|---|---|')
    first_floor_ratio = ratio(first['setup'], first['box_floor'])
    out.append('| first window ≤ 1.2 × the bare MessageBoxA program\'s | %s | %s |' % (
        text(first_floor_ratio, '{:.3f} ×'),
        verdict(first_floor_ratio, FIRST_WINDOW_FLOOR_GOAL, '{:.3f} ×')))
    first_ratio = ratio(first['setup'], first['reference'])
    out.append('| first window ≤ 0.80 × the reference\'s | %s | %s |' % (
        text(first_ratio, '{:.3f} ×'), verdict(first_ratio, FIRST_WINDOW_GOAL, '{:.3f} ×')))
    peak_ratio = ratio(peak['setup'], peak['reference'])
    out.append('| peak working set ≤ 0.90 × the reference\'s | %s | %s |' % (
        text(peak_ratio, '{:.3f} ×'), verdict(peak_ratio, WORKING_SET_GOAL, '{:.3f} ×')))
    out.append('| size minus payload ≤ 360 KB ({:,} bytes) | {:,} bytes | {} |'.format(
        SIZE_GOAL, setup_rest, verdict(setup_rest, SIZE_GOAL, '{:,} bytes')))
    out.append('| animation CPU ≤ 1 %%, or ≤ 1.1 × the floor\'s where that is above 1 %% '
               '(here ≤ %.2f %%) | %s | %s |' % (
                   cpu_goal * 100, text(cpu and cpu * 100, '{:.2f} %'),
                   verdict(cpu and cpu * 100, cpu_goal * 100, '{:.2f} points')))
    done_ratio = ratio(done, done_floor)
    out.append('| click to final box ≤ 1.01 × the floor\'s | %s | %s |' % (
        text(done_ratio, '{:.3f} ×'), verdict(done_ratio, DONE_FLOOR_GOAL, '{:.3f} ×')))
    out.append('')

    out.append('Picture decoding (host tree, `bench/image_decode_bench.cpp`):')
    out.append('')
    out.append('```')
    out.extend(line.rstrip() for line in image_bench if line.strip())
    out.append('```')
    return '\n'.join(out) + '\n'


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    samples, failures = read_samples(sys.argv[1])
    sizes = read_sizes(sys.argv[2])
    image_bench = open(sys.argv[3], encoding='utf-8', errors='replace').readlines()
    conditions = [line.strip() for line in open(sys.argv[4], encoding='utf-8') if line.strip()]
    sys.stdout.write(report(samples, failures, sizes, image_bench, conditions))


if __name__ == '__main__':
    main()
