#!/usr/bin/python3
"""The figures of a lot by Python's statistics module, as the reference the lot statistics
are checked against.

Usage: lot_figures_reference.py LOT_FILE

The first line of LOT_FILE holds the limits "lsl,usl" (either may be empty), every further
line one reading "value,verdict,bin", where the value is "overload" for a reading past the
meter's range and verdict and bin may be empty. Prints the figures as JSON with the keys of
the lot statistics. Needs at least two readings with a value: statistics.quantiles and
statistics.stdev refuse fewer.
"""

import collections
import json
import statistics
import sys

D2_FOR_RANGES_OF_TWO = 1.128


def optional_number(text):
    return float(text) if text else None


def indices(lsl, usl, mean, sigma):
    """(spread, centred): Pp and Ppk for the overall σ, Cp and Cpk for the within σ."""
    if sigma == 0:
        return None, None
    spread = (usl - lsl) / (6 * sigma) if lsl is not None and usl is not None else None
    distances = [d for d in (usl - mean if usl is not None else None,
                             mean - lsl if lsl is not None else None) if d is not None]
    centred = min(distances) / (3 * sigma) if distances else None
    return spread, centred


def main(path):
    with open(path, encoding='utf-8') as lot:
        lines = lot.read().splitlines()
    lsl, usl = (optional_number(text) for text in lines[0].split(','))
    values, overloads = [], 0
    verdicts, bins = collections.Counter(), collections.Counter()
    for line in lines[1:]:
        value, verdict, bin_word = line.split(',')
        if value == 'overload':
            overloads += 1
            continue
        values.append(float(value))
        if verdict:
            verdicts[verdict] += 1
        if bin_word:
            bins[bin_word] += 1

    mean = statistics.mean(values)
    stdev = statistics.stdev(values)
    cuts = statistics.quantiles(values, n=20, method='inclusive')
    moving_ranges = [abs(b - a) for a, b in zip(values, values[1:])]
    within = statistics.mean(moving_ranges) / D2_FOR_RANGES_OF_TWO
    pp, ppk = indices(lsl, usl, mean, stdev)
    cp, cpk = indices(lsl, usl, mean, within)
    judged = sum(verdicts.values())
    print(json.dumps({
        'n': len(values), 'overloads': overloads,
        'mean': mean, 'min': min(values), 'max': max(values), 'range': max(values) - min(values),
        'stdev': stdev, 'stdev_population': statistics.pstdev(values),
        'median': statistics.median(values), 'p05': cuts[0], 'p95': cuts[-1],
        'lsl': lsl, 'usl': usl, 'pp': pp, 'ppk': ppk, 'cp': cp, 'cpk': cpk,
        'yield': verdicts['pass'] / judged if judged else None,
        'verdicts': verdicts, 'bins': bins,
    }))


if __name__ == '__main__':
    main(sys.argv[1])
