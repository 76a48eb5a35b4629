import os
import signal
import sys
import threading
import unittest

import mirvok


class LongCallTest(unittest.TestCase):
    """With a switch interval far beyond the test, another Python thread runs
    during a call only if the call releases the GIL."""

    def setUp(self):
        interval = sys.getswitchinterval()
        sys.setswitchinterval(1000)
        self.addCleanup(sys.setswitchinterval, interval)

    def during(self, call, act):
        """Runs act on another thread as soon as that gets the GIL, and call
        on this one; self.seen tells whether call was running by then."""
        state = {"phase": "before"}
        go = threading.Event()

        def other():
            go.wait()
            self.seen = state["phase"]
            act()

        thread = threading.Thread(target=other)
        thread.start()
        go.set()
        state["phase"] = "during"
        try:
            call()
        finally:
            state["phase"] = "after"
            thread.join()

    def test_another_thread_runs_while_a_batch_runs(self):
        self.during(lambda: mirvok.batch(iterations=20000, seed=1), lambda: None)
        self.assertEqual(self.seen, "during")

    def test_ctrl_c_stops_a_long_batch_or_sweep(self):
        calls = [(lambda: mirvok.batch(iterations=300000, seed=1, threads=1), "runs"),
                 (lambda: mirvok.sweep({"cv": [0.1] * 30}, iterations=10000, seed=1,
                                       threads=1), "points")]
        for call, unit in calls:
            with self.assertRaisesRegex(KeyboardInterrupt, r"interrupted after \d+ of \d+ " + unit):
                self.during(call, lambda: os.kill(os.getpid(), signal.SIGINT))
            self.assertEqual(self.seen, "during")


if __name__ == "__main__":
    unittest.main()
