import json
import os
import subprocess
import sys
import types
import unittest

import numpy as np

import mirvok
from support import temp_dir

try:
    import neo
    import quantities as pq
except ImportError:  # the set-up installs them; the test of their absence needs neither
    neo = None


@unittest.skipIf(neo is None, "Neo is not installed")
class NeoTest(unittest.TestCase):
    def test_steps_through_to_neo_and_back_in_s_or_ms_are_the_same_steps(self):
        rng = np.random.default_rng(5)
        steps = np.sort(rng.choice(200_000, size=100_000, replace=False))
        given = mirvok.replay([steps], time=100_000)
        block = mirvok.to_neo(given)
        train = block.segments[0].spiketrains[0]
        self.assertEqual((train.t_stop, train.sampling_period), (100_000 * pq.ms, 0.5 * pq.ms))
        for unit in ("s", "ms"):
            back = mirvok.replay([train.rescale(unit)])
            self.assertEqual(back["in_trains"][0].tolist(), steps.tolist(), unit)

    def test_t_start_counts_and_without_time_the_longest_train_rounded_up_is_the_run(self):
        trains = [neo.SpikeTrain([2.0, 2.0021, 2.4], units="s", t_start=2.0, t_stop=2.4004),
                  neo.SpikeTrain([3.0, 7.0], units="ms", t_stop=10.0)]
        r = mirvok.replay(trains)
        self.assertEqual([t.tolist() for t in r["in_trains"]], [[0, 4, 800], [6, 14]])
        self.assertEqual(json.loads(r["provenance"])["values"]["time"], 401)
        with self.assertWarnsRegex(UserWarning, "1 spike step outside 0 to 199 was skipped"):
            shorter = mirvok.run(trains[0], time=100)
        self.assertEqual(shorter["in_steps"].tolist(), [0, 4])

    def test_a_block_holds_a_segment_per_chosen_run_with_its_columns(self):
        b = mirvok.batch(iterations=6, seed=3, time=500, trains="flat")
        block = mirvok.to_neo(b, runs=[4, 1])
        self.assertEqual([s.name for s in block.segments], ["run 4", "run 1"])
        self.assertEqual((block.annotations["seed"], block.annotations["values"]["time"]),
                         (3, 500))
        segment = block.segments[0]
        self.assertEqual(segment.annotations["q"], b["q"][4])
        output = segment.spiketrains[1]
        self.assertEqual(output.name, "output")
        self.assertEqual(output.magnitude.tolist(),
                         (b["out_trains"][b["out_offsets"][4]:b["out_offsets"][5]] * 0.5).tolist())

    def test_a_train_written_and_read_by_neos_ascii_io_replays_as_its_steps(self):
        steps = mirvok.generate(seed=4, cv=0.5)
        path = os.path.join(temp_dir(self), "train.txt")
        train = mirvok.to_neo(mirvok.replay([steps])).segments[0].spiketrains[0]
        # Neo 0.11's writer formats each time with its unit ("28.500000 ms"),
        # which its reader cannot read: it is given the magnitudes. Its
        # reader holds times as float32, exact for half ms but not for
        # seconds, so the times are in ms.
        io = neo.io.AsciiSpikeTrainIO(filename=path)
        io.write_segment(types.SimpleNamespace(spiketrains=[train.magnitude]))
        read = neo.io.AsciiSpikeTrainIO(filename=path).read_segment(unit="ms")
        r = mirvok.replay([read.spiketrains[0]], time=1000)
        self.assertEqual(r["in_trains"][0].tolist(), steps.tolist())


WITHOUT_NEO = """
import sys
sys.modules["neo"] = None
import mirvok
mirvok.batch(iterations=2, seed=1)
try:
    mirvok.to_neo(mirvok.batch(iterations=2, seed=1))
except ImportError as e:
    print(e)
"""


class WithoutNeoTest(unittest.TestCase):
    def test_the_package_works_and_to_neo_says_what_to_install(self):
        done = subprocess.run([sys.executable, "-c", WITHOUT_NEO], check=True,
                              capture_output=True, text=True)
        self.assertIn("apt install python3-neo python3-quantities", done.stdout)


if __name__ == "__main__":
    unittest.main()
