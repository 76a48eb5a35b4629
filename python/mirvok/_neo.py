"""Neo's spike trains in and out of the package: neo.SpikeTrains given to
run() and replay() become steps, and to_neo() makes a neo.Block of a
result's runs. Neo is imported only when one of these needs it."""

import functools
import json
import math

import numpy as np

# One step is 0.5 ms.
STEP_MS = 0.5
# A time within this fraction of a step of a step's start counts as that
# start: a step's time converted to seconds and back (0.0015 s is
# 1.4999999999999998 ms) then falls into its own step, not the one before.
BOUNDARY_TOLERANCE = 1e-9


def imported():
    """neo and quantities, or ImportError saying how to install them."""
    try:
        # Neither ships types.
        import neo  # type: ignore[import]
        import quantities  # type: ignore[import]
    except ImportError as missing:
        raise ImportError(
            "Neo spike trains need the packages neo and quantities: on Debian "
            "'apt install python3-neo python3-quantities', elsewhere 'pip install neo'"
        ) from missing
    return neo, quantities


def is_spike_train(train):
    # Neo is not imported to ask: a SpikeTrain can only come from it.
    return type(train).__name__ == "SpikeTrain" and hasattr(train, "t_start")


def steps_in(times_in_steps):
    """Times counted in steps (floats), as the steps they lie in: floor,
    except that a time within the tolerance below a step's start is that
    step."""
    nearest = np.rint(times_in_steps)
    on_start = np.abs(times_in_steps - nearest) <= BOUNDARY_TOLERANCE * np.maximum(
        1.0, np.abs(times_in_steps))
    return np.where(on_start, nearest, np.floor(times_in_steps)).astype(np.int64)


def train_ms(train, name):
    """The spike times of a SpikeTrain from its t_start, and its length, in
    ms. The unit is converted once per train: quantities' own arithmetic on
    every time costs far more than the run."""
    _, pq = imported()
    try:
        to_ms = float(pq.Quantity(1.0, train.units).rescale(pq.ms).magnitude)
        start = float(train.t_start.rescale(train.units).magnitude)
        stop = float(train.t_stop.rescale(train.units).magnitude)
    except ValueError as error:
        raise ValueError(f"{name}: the spike train's times are no times: {error}") from None
    times = (np.asarray(train.magnitude, dtype=np.float64) - start) * to_ms
    return times, (stop - start) * to_ms


def run_length_ms(length_ms):
    """A train's length as a run's: up in whole ms, a float error aside."""
    return max(0, math.ceil(length_ms - BOUNDARY_TOLERANCE))


def converted(trains, names, kwargs):
    """The SpikeTrains as steps; without time= given, the run is set to last
    the longest of them."""
    steps, longest = [], 0
    for train, name in zip(trains, names):
        times, length = train_ms(train, name)
        steps.append(steps_in(times / STEP_MS))
        longest = max(longest, run_length_ms(length))
    if "time" not in kwargs:
        kwargs["time"] = longest
    return steps


def neo_trains(function):
    """run() or replay() taking neo.SpikeTrains as well as steps."""

    @functools.wraps(function)
    def call(given, /, *args, **kwargs):
        if function.__name__ == "run":
            if is_spike_train(given):
                given = converted([given], ["train"], kwargs)[0]
            return function(given, *args, **kwargs)
        if not isinstance(given, (list, tuple, np.ndarray)):
            given = list(given) if hasattr(given, "__iter__") else given
        # The kinds of trains given, looked at once: a replay may get a
        # million trains.
        kinds = {type(t) for t in given} if isinstance(given, (list, tuple)) else set()
        if any(kind.__name__ == "SpikeTrain" for kind in kinds):
            if not all(kind.__name__ == "SpikeTrain" for kind in kinds):
                raise TypeError("input_trains: neo.SpikeTrains and trains of other kinds "
                                "cannot be given together")
            names = [f"input_trains[{i}]" for i in range(len(given))]
            given = converted(given, names, kwargs)
            kwargs["unit"] = "steps"
        return function(given, *args, **kwargs)

    return call


COLUMNS = ("index", "in_spikes", "cv", "out_spikes", "q", "score", "local_score")


def chosen_runs(runs, count):
    if runs is None:
        return range(count)
    chosen = [runs] if np.ndim(runs) == 0 else list(runs)
    for run in chosen:
        if not -count <= int(run) < count:
            raise IndexError(f"runs: {int(run)} is no run of this result ({count} runs)")
    return [int(run) % count for run in chosen]


def run_trains(result, side, i):
    trains = result[side + "_trains"]
    offsets = result.get(side + "_offsets")
    if offsets is None:
        return trains[i]
    return trains[offsets[i]:offsets[i + 1]]


def spike_train(neo, pq, steps, name, length_ms):
    return neo.SpikeTrain(np.asarray(steps, dtype=np.float64) * STEP_MS, units=pq.ms,
                          t_start=0.0 * pq.ms, t_stop=length_ms * pq.ms,
                          sampling_rate=(1.0 / STEP_MS) * pq.kHz, name=name)


def blocked(result, runs):
    """The block to_neo() returns."""
    neo, pq = imported()
    if "in_steps" in result:
        # One run of run(): its length is that of its volume trace.
        length_ms = len(result["v1"]) * STEP_MS
        segment = neo.Segment(name="run", **{key: float(result[key]) for key in
                                             ("q", "cv", "score", "local_score")})
        segment.spiketrains.append(spike_train(neo, pq, result["in_steps"], "input", length_ms))
        segment.spiketrains.append(spike_train(neo, pq, result["out_steps"], "output", length_ms))
        block = neo.Block(name="mirvok run")
        block.segments.append(segment)
        return block

    if "provenance" not in result or "index" not in result:
        raise TypeError("result: a result of run(), batch() or replay() is needed, "
                        "whose runs have trains")
    made = json.loads(result["provenance"])
    length_ms = float(made["values"]["time"])
    about = {key: made[key] for key in ("program", "version", "command", "seed", "iterations")
             if made.get(key) is not None}
    block = neo.Block(name="mirvok " + made["command"], values=made["values"], **about)
    for i in chosen_runs(runs, len(result["index"])):
        columns = {key: result[key][i].item() for key in COLUMNS}
        segment = neo.Segment(name=f"run {columns['index']}", **columns)
        for side, name in (("in", "input"), ("out", "output")):
            segment.spiketrains.append(
                spike_train(neo, pq, run_trains(result, side, i), name, length_ms))
        block.segments.append(segment)
    return block
