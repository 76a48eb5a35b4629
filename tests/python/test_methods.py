"""docs/methods.md is exact: the generator, the model and the analysis
written again from its text alone, in plain Python (math.log and math.pow
per draw, numpy.longdouble where it prescribes extended precision), give
the trains and results of mirvok.batch bit for bit."""

import math
import unittest

import numpy as np

import mirvok

MASK64 = (1 << 64) - 1
Q = 4.656612875245797e-10


def h(x):
    x = (x + 0x9E3779B97F4A7C15) & MASK64
    x = ((x ^ (x >> 30)) * 0xBF58476D1CE4E5B9) & MASK64
    x = ((x ^ (x >> 27)) * 0x94D049BB133111EB) & MASK64
    return x ^ (x >> 31)


class Source:
    """PCG32 (XSH-RR), its output shifted right by one bit."""

    def __init__(self, seed, stream):
        self.inc = (2 * stream + 1) & MASK64
        self.state = 0
        self.advance()
        self.state = (self.state + seed) & MASK64
        self.advance()

    def advance(self):
        self.state = (self.state * 6364136223846793005 + self.inc) & MASK64

    def next(self):
        old = self.state
        self.advance()
        xorshifted = (((old >> 18) ^ old) >> 27) & 0xFFFFFFFF
        rot = old >> 59
        out = ((xorshifted >> rot) | (xorshifted << ((-rot) & 31))) & 0xFFFFFFFF
        return out >> 1

    def uniform(self):
        k = self.next()
        while k == 0:
            k = self.next()
        return float(np.longdouble(k) * np.longdouble(Q))


def iteration_source(batch_seed, i):
    m = h(h(batch_seed) ^ i)
    return Source(h(m), h(m ^ 0xD1B54A32D192ED03))


def digits15(x):
    return float("%.15g" % x)


class Failed(Exception):
    """Arithmetic that overflows, divides by zero or is invalid."""


def ln(x):
    if not x > 0:
        raise Failed
    return math.log(x)


def power(x, y):
    try:
        r = math.pow(x, y)
    except OverflowError:
        raise Failed
    if not math.isfinite(r):
        raise Failed
    return r


def finite(x):
    if not math.isfinite(x):
        raise Failed
    return x


def divide(x, y):
    if y == 0:
        raise Failed
    return finite(x / y)


def gamma(src, theta, a):
    if a < 1:
        beta = 1 + a / math.e
        while True:
            p = beta * src.uniform()
            if p <= 1:
                x = power(p, 1 / a)
                if -ln(src.uniform()) >= x:
                    return finite(theta * x)
                continue
            if beta - p <= 0:
                continue
            x = -ln((beta - p) / a)
            if power(src.uniform(), 1 / (a - 1)) >= x:
                return finite(theta * x)
    if a == 1:
        return finite(-theta * ln(src.uniform()))
    a1 = a - 1
    c1 = (a - 1 / (6 * a)) / a1
    c2 = 2 / a1
    c3 = c2 + 2
    while True:
        u1 = src.uniform()
        u2 = src.uniform()
        w = divide(c1 * u2, u1)
        if c2 * u1 - c3 + w + 1 / w <= 0 or c2 * ln(u1) - ln(w) + w - 1 <= 0:
            return finite(finite(theta * a1) * w)


def place(src, steps, start, end, theta, a):
    p = float(start)
    while p <= end:
        try:
            x = gamma(src, theta, a)
        except Failed:
            continue
        p += x
        if p >= end + 1:
            return
        steps.append(max(1, math.floor(p)))


def train(seed, i, n, isi=20.0, jitter=0.0, cv=0.02, segments=None, quantify=False,
          c01=False):
    src = iteration_source(seed, i)
    a = digits15(1 / math.pow(cv, 2))
    if quantify and c01:
        a = 1.0 if src.next() % 2 == 1 else 100000.0
    elif quantify:
        u = src.uniform()
        a = min(digits15(1 / (u * u)), 1e8)
    steps = []
    if segments:
        start = 0
        for end, seg_isi, seg_cv in segments:
            seg_a = digits15(1 / math.pow(seg_cv, 2))
            place(src, steps, start, end, 2 * seg_isi / seg_a, seg_a)
            start = end
        return steps
    u = 2 * src.next() * Q - 1
    mean = isi + jitter * u
    place(src, steps, 0, n - 1, 2 * mean / a, a)
    return steps


def refilled(v, g):
    v = 0.5 * g + v
    return 1.0 if v > 1 else v


def model(inputs, n, v1=0.2, v2=0.8, g1=0.009, g2=0.006, d1=0.45, d2=0.3, eps=0.005, b=0.0):
    spikes = set(inputs)
    out = []
    for k in range(n):
        c = abs(v1 - v2) < eps and b <= abs(v1) <= 1 - b and b <= abs(v2) <= 1 - b
        if c and k in spikes:
            out.append(k)
        v1, v2 = refilled(v1, g1), refilled(v2, g2)
        if k in spikes:
            v1 = (1 - d1) * v1
            v2 = (1 - d2) * v2
    return out


def pop_cv(intervals):
    mean = sum(intervals) / len(intervals) if intervals else 0.0
    ss = 0.0
    for d in intervals:
        ss += (mean - d) ** 2
    sd = math.sqrt(ss / len(intervals)) if ss != 0 else 0.0
    return sd / mean if mean != 0 else 0.0


def score(p, c, c0):
    if c0 in (0, 1):
        return -1.0
    return p * (c - c0) / (1 - c0) if c > c0 else (1 - p) * (c0 - c) / c0


def analysis(x, y, g=0, r=5, c0=0.3333):
    n_in = sum(1 for k in x if k > g)
    q = sum(1 for k in y if k > g) / n_in if n_in else 0.0
    cv = pop_cv([x[k + 1] - x[k] for k in range(len(x) - 1) if x[k] >= g])
    total, count, fired = 0.0, 0, set(y)
    if r >= 2:
        for first in range(len(x) - r):
            if x[first + r] >= g:
                local = pop_cv([x[t + 1] - x[t] for t in range(first, first + r)])
                total += score(1.0 if x[first + r] in fired else 0.0, local, c0)
                count += 1
    return q, cv, score(q, cv, c0), total / count if count else 0.0


class MethodsTextTest(unittest.TestCase):
    def check(self, iterations, seed, keywords, train_args, n=2000):
        b = mirvok.batch(iterations=iterations, seed=seed, time=n // 2, **keywords)
        for i in range(iterations):
            steps = sorted(train(seed, i, n, **train_args))
            self.assertEqual(b["in_trains"][i].tolist(), steps, (keywords, i))
            out = model(steps, n)
            self.assertEqual(b["out_trains"][i].tolist(), out, (keywords, i))
            self.assertEqual((b["q"][i], b["cv"][i], b["score"][i], b["local_score"][i]),
                             analysis(steps, out), (keywords, i))

    def test_single_mode_trains_and_runs_follow_the_text(self):
        for seed, values in enumerate([
                {"cv": 0.02}, {"cv": 0.3, "isi_jitter": 5.0}, {"cv": 1.0},
                {"cv": 3.0, "isi": 1.0}, {"cv": 0.7, "isi": 3.0, "isi_jitter": 1.5}]):
            args = {"cv": values["cv"], "isi": values.get("isi", 20.0),
                    "jitter": values.get("isi_jitter", 0.0)}
            self.check(300, 11 + seed, values, args)

    def test_segment_mode_restarts_at_each_bound(self):
        segments = [(500, 20, 0.1), (1200, 5, 1), (1999, 40, 2)]
        self.check(400, 5, {"segments": segments}, {"segments": segments})

    def test_quantify_draws_each_trains_shape(self):
        self.check(300, 8, {"quantify": True}, {"quantify": True})
        self.check(300, 9, {"quantify": True, "c01": True}, {"quantify": True, "c01": True})


if __name__ == "__main__":
    unittest.main()
