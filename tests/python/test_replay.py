import os
import unittest

import mirvok
from support import cli, record_line, temp_dir


class ReplayTest(unittest.TestCase):
    def test_the_output_trains_of_a_file_give_the_records_the_command_line_writes(self):
        folder = temp_dir(self)
        source, out = os.path.join(folder, "source.csv"), os.path.join(folder, "out.csv")
        cli("batch", "--iterations", "120", "--seed", "5", "--output", source, "--quiet")
        summary = cli("replay", source, "--output", out, "--gamma2", "0.008", "--ign", "40",
                      "--threads", "1", "--quiet")
        trains = mirvok.read_results(source)[0]["out_trains"]
        r = mirvok.replay(trains, gamma2=0.008, ign=40, threads=2)
        with open(out) as f:
            lines = f.readlines()
        self.assertEqual(lines[1:], [record_line(r, i) for i in range(len(trains))])
        self.assertIn("avg: %.5f\navl: %.5f\n" % (r["avg"], r["avl"]), summary)

    def test_steps_beyond_the_run_are_warned_of_and_counted_per_train(self):
        with self.assertWarnsRegex(UserWarning, "^3 spike steps outside 0 to 199 were skipped$"):
            r = mirvok.replay([[10, 2**70], [], [-1, 5, 200]], time=100)
        self.assertEqual((r["skipped"], r["skipped_by_train"].tolist()), (3, [1, 0, 2]))

    def test_times_in_ms_fall_into_the_step_they_lie_in(self):
        with self.assertWarns(UserWarning):
            in_ms = mirvok.replay([[0.2, 10.5, 10.99, 3000.0], []], unit="ms", time=1000)
            in_steps = mirvok.replay([[0, 21, 21, 6000], []], time=1000)
        self.assertEqual([t.tolist() for t in in_ms["in_trains"]], [[0, 21, 21], []])
        self.assertEqual((in_ms["skipped"], in_ms["q"].tolist()),
                         (in_steps["skipped"], in_steps["q"].tolist()))


if __name__ == "__main__":
    unittest.main()
